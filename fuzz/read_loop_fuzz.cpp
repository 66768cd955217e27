// The whole read loop over arbitrary UTF-16 units with a small dictionary. It
// converts everything or stops with an EngineError (an addak before an unmapped
// character, a word past the 16-bit counter). How the units arrive, in one block
// or in reads of a few units, changes neither the text nor the outcome, and both
// agree with the literal loop that takes one unit at a time; so in spoken
// forms too, whose text is the rules' text with some "a"s left out, put back
// or moved and a nasal said in its vowel written once, and in plain letters, where every unit beyond ASCII is one the input holds
// outside the Gurmukhi block: text around the words, standing as it stood.
// Cut into parts, as a page's paragraph comes in text nodes, and converted as
// one text, the parts join to that same text.

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_input.h"
#include "taviro/engine.h"
#include "taviro/convert/read_loop.h"
#include "taviro/convert/text_parts.h"
#include "taviro/convert/unit_sink.h"
#include "taviro/convert/unit_source.h"
#include "trickling_unit_source.h"
#include "unit_by_unit_loop.h"

namespace {

// A few words the lexicons write whole, a nukta and a bindi spelling among them.
taviro::MemoryDictionary make_dictionary() {
    taviro::MemoryDictionary words({u"kamal", u"nayan", u"k\u0101r", u"duk\u0101n", u"ki", u"a", u"ai\u1E6D",
                                    u"\u1E6Dar", u"kamal", u"", u"sh\u0101m", u"pa\u1E43j\u0101b\u012B", u"sant"});
    words.pronounce(u"\u0A15", u"KA", taviro::Lexicon::user);
    words.pronounce(u"\u0A38\u0A3C\u0A3E\u0A2E", u"SHAM", taviro::Lexicon::loanword);
    words.pronounce(u"\u0A1C\u0A32\u0A02\u0A27\u0A30", u"jalandhar", taviro::Lexicon::user);
    return words;
}

const taviro::MemoryDictionary& dictionary() {
    static const taviro::MemoryDictionary words = make_dictionary();
    return words;
}

const taviro::MemoryDictionary& spoken_dictionary() {
    static const taviro::MemoryDictionary words = [] {
        taviro::MemoryDictionary spoken = make_dictionary();
        spoken.write_spoken_forms(true);
        return spoken;
    }();
    return words;
}

const taviro::MemoryDictionary& plain_dictionary() {
    static const taviro::MemoryDictionary words = [] {
        taviro::MemoryDictionary plain = make_dictionary();
        plain.write_scheme(taviro::Scheme::ascii);
        return plain;
    }();
    return words;
}

// Whether the two texts are the same but for some "a"s, in either, and a
// nasal consonant written once in one and twice in the other.
bool differ_only_in_spoken_ways(std::u16string_view first, std::u16string_view second) {
    constexpr std::u16string_view kNasals = u"nm\u1E47\u1E45\u00F1";  // n m ṇ ṅ ñ
    const auto without_as = [&](std::u16string_view text) {
        std::u16string letters;
        for (const char16_t unit : text) {
            const bool doubled_nasal = !letters.empty() && letters.back() == unit && kNasals.find(unit) != kNasals.npos;
            if (unit != u'a' && !doubled_nasal) letters += unit;
        }
        return letters;
    };
    return without_as(first) == without_as(second);
}

struct Outcome {
    std::u16string text;
    std::optional<taviro::EngineError::Kind> error;
};

using Loop = taviro::FinishCounts (*)(taviro::UnitSource&, taviro::UnitSink&, const taviro::Dictionary&);

Outcome convert(Loop loop, taviro::UnitSource&& source, const taviro::Dictionary& words) {
    taviro::MemoryUnitSink sink;
    try {
        loop(source, sink, words);
    } catch (const taviro::EngineError& error) {
        return {sink.text(), error.kind()};
    }
    return {sink.text(), std::nullopt};
}

}  // namespace

namespace {

// The text cut into parts where its own units say (every 1 to 8 units, as
// markup cuts a page's text nodes, inside words and pairs alike), converted
// in parts: the parts joined are the whole text's Roman text, over one
// memory for both cuttings as a page's engine keeps one.
void expect_parts_join_to(std::u16string_view units, std::u16string_view roman, const taviro::Dictionary& words) {
    taviro::WordMemory memory(words);
    for (const std::size_t step_bits : {0u, 1u}) {
        std::vector<std::u16string_view> parts;
        for (std::size_t at = 0; at < units.size();) {
            const std::size_t length = std::min<std::size_t>(units.size() - at, 1 + ((units[at] >> step_bits) & 7));
            parts.push_back(units.substr(at, length));
            at += length;
        }
        std::u16string joined;
        for (const std::u16string& part : taviro::convert_text_in_parts(parts, memory)) joined += part;
        if (joined != roman) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string units = taviro::fuzz::utf16_from_bytes(data, size);

    const Loop fast = [](taviro::UnitSource& source, taviro::UnitSink& sink, const taviro::Dictionary& words) {
        return taviro::convert_units(source, sink, words);
    };
    std::optional<Outcome> rules;
    for (const taviro::MemoryDictionary* words : {&dictionary(), &spoken_dictionary()}) {
        const Outcome literal = convert(taviro::convert_units_unit_by_unit, taviro::MemoryUnitSource(units), *words);
        for (const Outcome& outcome : {convert(fast, taviro::MemoryUnitSource(units), *words),
                                       convert(fast, taviro::TricklingUnitSource(units), *words)}) {
            if (outcome.error != literal.error) std::abort();
            // After a failure the sink holds at most the words before it; only a
            // completed conversion has one right text.
            if (!literal.error && outcome.text != literal.text) std::abort();
        }
        if (!rules) {
            rules = literal;
        } else if (literal.error != rules->error || (!literal.error && !differ_only_in_spoken_ways(literal.text, rules->text))) {
            std::abort();
        }
    }
    const Outcome literal = convert(taviro::convert_units_unit_by_unit, taviro::MemoryUnitSource(units), plain_dictionary());
    for (const Outcome& outcome : {convert(fast, taviro::MemoryUnitSource(units), plain_dictionary()),
                                   convert(fast, taviro::TricklingUnitSource(units), plain_dictionary())}) {
        if (outcome.error != literal.error || (!literal.error && outcome.text != literal.text)) std::abort();
    }
    if (literal.error != rules->error) std::abort();
    const auto around_words = [&units](char16_t unit) {
        return unit < 0x80 || (!taviro::in_gurmukhi_block(unit) && units.find(unit) != std::u16string::npos);
    };
    if (!std::all_of(literal.text.begin(), literal.text.end(), around_words)) std::abort();
    if (!literal.error) expect_parts_join_to(units, literal.text, plain_dictionary());
    return 0;
}
