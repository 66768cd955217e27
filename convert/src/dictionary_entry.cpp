#include "taviro/convert/dictionary_entry.h"

#include <algorithm>

#include "taviro/engine.h"
#include "taviro/convert/separator.h"
#include "taviro/word_builder.h"

namespace taviro {
namespace {

// The algorithms here take iterators, not ranges: the web page's compiler
// has no ranges algorithms yet.

// The non-ASCII letters of the character map.
constexpr std::u16string_view kRomanLetters = u"ñāēġīōūḍḵḷṁṃṅṇṛṭẖ";

bool is_letter(char16_t unit) {
    const bool ascii = (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
    return ascii || kRomanLetters.find(unit) != std::u16string_view::npos;
}

// The joiners belong to Gurmukhi text too: typists put them after a halant.
bool is_gurmukhi(char16_t unit) {
    return in_gurmukhi_block(unit) || unit == u'\u200C' || unit == u'\u200D';
}

}  // namespace

DictionaryEntry romanize_entry(std::u16string_view gurmukhi) {
    if (holds_separator(gurmukhi)) {
        return {EntryVerdict::holds_separator, {}};
    }
    WordBuilder builder;
    try {
        builder.add_word(gurmukhi);
        builder.end(true);
    } catch (const EngineError&) {
        return {EntryVerdict::untransliterable, {}};
    }
    std::u16string roman = std::move(builder.word());
    // A list's slips (ਦੱ, a lone ੲ) are fragments, not words to confirm others by.
    if (builder.slips() != 0 || !std::all_of(roman.begin(), roman.end(), is_letter)) {
        return {EntryVerdict::not_letters_only, {}};
    }
    if (!std::all_of(gurmukhi.begin(), gurmukhi.end(), is_gurmukhi)) {
        return {EntryVerdict::not_gurmukhi, {}};
    }
    if (std::none_of(roman.begin(), roman.end(), is_roman_vowel)) {
        return {EntryVerdict::no_vowel, {}};
    }
    return {EntryVerdict::kept, std::move(roman)};
}

std::u16string romanize_word(std::u16string_view gurmukhi) {
    WordBuilder builder;
    builder.add_word(gurmukhi);
    builder.end(true);
    return std::move(builder.word());
}

}  // namespace taviro
