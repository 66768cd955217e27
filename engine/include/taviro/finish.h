// Word finishing: sets a known prefix or suffix aside when the dictionary
// confirms the rest, otherwise tries to split a compound into two dictionary
// words, and deletes schwas in the stem or in each part. A pure function of
// its arguments. A lexicon's whole-word entries are not its business:
// finish_built_word() (word_builder.h) asks them first.
#pragma once

#include <cstddef>
#include <string>

#include "taviro/dictionary.h"
#include "taviro/engine_error.h"
#include "taviro/lexicon.h"

namespace taviro {

// How a word was finished and where the pieces of its Roman text meet: the
// one record of it, which the word memory keeps, the run reports and every
// front end shows.
struct WordFinishing {
    bool prefix = false;  // a prefix was confirmed and kept
    bool suffix = false;  // a suffix was confirmed and kept
    bool split = false;   // the word was split into two parts
    Lexicon lexicon = Lexicon::none;  // a lexicon's entry gave the whole text
    bool spoken = false;  // spoken forms dropped an inherent "a" after a long vowel (spoken.h)
    bool spoken_kept = false;  // spoken forms kept an "a" that an addak or tippi asserts (spoken.h)
    bool spoken_join = false;  // spoken forms dropped the "a" after a join of the pieces (spoken.h)
    bool spoken_cluster = false;  // spoken forms moved an "a" before the s of st, sth or sk (spoken.h)
    bool spoken_nasal = false;  // spoken forms read a tippi or bindi as the long vowel's nasalization (spoken.h)
    // Where the pieces meet in the word's Roman text. A kept prefix, with its
    // joining vowel, is [0, stem_begin) and a kept suffix is [stem_end, end);
    // a split's first part is [0, stem_end) and its second the rest. A word
    // the rules alone finished is all stem.
    std::size_t stem_begin = 0;
    std::size_t stem_end = 0;

    bool spoken_in_any_way() const noexcept {
        return spoken || spoken_kept || spoken_join || spoken_nasal || spoken_cluster;
    }
    bool operator==(const WordFinishing&) const = default;
};

// A word's text at an earlier step of its finishing, with where its pieces
// meet in it (as stem_begin and stem_end say): where a word's report names
// the pieces. Empty when that step changed nothing.
struct EarlierText {
    std::u16string text;
    std::size_t stem_begin = 0;
    std::size_t stem_end = 0;
};

struct FinishedWord : WordFinishing {
    std::u16string text;
    // A word written in plain letters: its text with the marks, in which its
    // pieces lie (the plain letters are all stem).
    EarlierText marked;
    // A word whose confirmed pieces spoken forms changed: its marked text
    // before they did, in which the pieces are the dictionary's words.
    EarlierText before_spoken;
};

// Throws EngineError(overflow) for words too long for the 16-bit rules.
FinishedWord finish_word(std::u16string word, const Dictionary& dictionary);

}  // namespace taviro
