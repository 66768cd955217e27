// Conversion of text held in memory, for front ends without files: the web
// page, the Python module, tests. The read loop of a file run does the work, so
// a text converts to exactly what a file of the same units would hold, without
// the file's byte-order mark.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "taviro/convert/word_memory.h"
#include "taviro/engine.h"

namespace taviro {

// The Roman text of `text`. Throws EngineError, and whatever the dictionary throws.
[[nodiscard]] std::u16string convert_text(std::u16string_view text, const Dictionary& dictionary);

// One word of a converted text, where it lies and how it was finished, as the
// conversion leaves it; a word's report (word_report.h) is made from it.
// Offsets are UTF-16 code units: `source_*` into the text given, `roman_*`
// into the result; the stem's are relative to roman_begin.
struct PlacedWord : WordFinishing {
    std::size_t source_begin = 0;
    std::size_t source_end = 0;
    std::size_t roman_begin = 0;
    std::size_t roman_end = 0;
    // A word whose pieces the dictionary confirmed and spoken forms then
    // changed: its text as the rules and the dictionary finished it, whose
    // pieces are the dictionary's words, with their places. Empty otherwise.
    std::u16string pieces_text;
    std::size_t pieces_stem_begin = 0;
    std::size_t pieces_stem_end = 0;
    // A word written in plain letters: its text with the marks, which the
    // stem's offsets are in. Empty when the marked text is what was written.
    std::u16string marked;
};

struct ConvertedText {
    std::u16string text;
    std::vector<PlacedWord> words;  // every word with letters, in order; none when there are too many
    std::size_t word_count = 0;     // how many words with letters the text has
};

// The Roman text of `text` together with a report on each of its words, or,
// for a text of more than `most_words` words, on none: a long text's reports
// take more memory than its text, and no face shows that many.
[[nodiscard]] ConvertedText convert_text_with_words(std::u16string_view text, const Dictionary& dictionary,
                                                    std::size_t most_words = SIZE_MAX);

// The same two with the words that earlier conversions over the memory's
// dictionary remembered: many short texts cost what one long one does.
[[nodiscard]] std::u16string convert_text(std::u16string_view text, WordMemory& memory);
[[nodiscard]] ConvertedText convert_text_with_words(std::u16string_view text, WordMemory& memory);

}  // namespace taviro
