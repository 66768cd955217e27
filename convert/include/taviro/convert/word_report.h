// A word's report: the one record of a word and how it was finished that
// every face shows (taviro-dict explain, Python's finish_details, the npm
// package's explain, the page's word details), field for field, under this
// name. It is made here from what the conversion left, once.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "taviro/convert/text_conversion.h"
#include "taviro/convert/word_explanation.h"

namespace taviro {

struct WordReport {
    std::u16string source;  // the word as the text has it
    std::u16string roman;   // its Roman text, with the marks
    std::optional<std::u16string> ascii;  // what was written, where it was in plain letters
    std::size_t source_begin = 0;  // where the word lies in the text, in code units
    std::size_t source_end = 0;
    Finish finish = Finish::rules;
    std::size_t stem_begin = 0;  // in `roman`: a kept prefix is [0, stem_begin) ...
    std::size_t stem_end = 0;    // ... a kept suffix or a split's second part [stem_end, end)
    std::vector<WordPiece> pieces;  // the pieces the finish names, in `roman`
    bool spoken = false;  // spoken forms changed it (WordFinishing::spoken_in_any_way)
    std::u16string explanation;  // explain_word()'s sentence

    bool operator==(const WordReport&) const = default;
};

// The report of `word`, a word of the conversion of `text` into `converted`.
[[nodiscard]] WordReport report_word(const PlacedWord& word, std::u16string_view text, std::u16string_view converted);
// The reports of every word of `text` with letters, in order. Throws as convert_text() does.
[[nodiscard]] std::vector<WordReport> report_words(std::u16string_view text, const Dictionary& dictionary);

}  // namespace taviro
