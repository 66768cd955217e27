#include "taviro/dict/word_lookup.h"

#include <algorithm>

#include "taviro/convert/dictionary_entry.h"
#include "taviro/encoding/encoding_sink.h"
#include "taviro/convert/text_conversion.h"
#include "taviro/convert/word_explanation.h"
#include "taviro/word_builder.h"

namespace taviro {
namespace {

const char* yes_or_no(bool answer) {
    return answer ? "yes" : "no";
}

}  // namespace

bool is_gurmukhi(std::u16string_view word) {
    return std::ranges::any_of(word, in_gurmukhi_block);
}

LookupAnswer look_up(std::u16string_view word, const Dictionary& dictionary) {
    LookupAnswer answer;
    answer.roman = is_gurmukhi(word) ? romanize_word(word) : std::u16string(word);
    answer.rows = dictionary.count(answer.roman);
    answer.stem = dictionary.stem_lookup(answer.roman);
    answer.part = dictionary.part_lookup(answer.roman);
    if (is_gurmukhi(word)) {
        answer.written = convert_text(word, dictionary);
        if (const auto entry = dictionary.pronunciation(units_as_read(word))) {
            answer.lexicon = entry->lexicon;
        }
    }
    return answer;
}

std::string describe(std::u16string_view word, const LookupAnswer& answer) {
    std::string text = to_utf8(word);
    if (is_gurmukhi(word)) {
        text += " \u2192 " + to_utf8(answer.written);
        if (answer.written != answer.roman) {
            text += ", looked up as " + to_utf8(answer.roman);
        }
    }
    text += ": stem " + std::string(yes_or_no(answer.stem)) + " (" + std::to_string(answer.rows) +
            (answer.rows == 1 ? " row" : " rows") + "), part " + yes_or_no(answer.part);
    if (answer.lexicon != Lexicon::none) {
        text += "; ";
        text += finish_wording(finish_of(WordFinishing{.lexicon = answer.lexicon})).sentence;
    }
    return text;
}

std::string to_utf8(std::u16string_view text) {
    return encoded_text(text, Encoding::utf8);
}

}  // namespace taviro
