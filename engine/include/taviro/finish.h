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

struct FinishedWord {
    std::u16string text;
    bool prefix = false;  // a prefix was confirmed and kept
    bool suffix = false;  // a suffix was confirmed and kept
    bool split = false;   // the word was split into two parts
    Lexicon lexicon = Lexicon::none;  // a lexicon's entry gave the whole text
    // Where the pieces of `text` meet. A kept prefix, with its joining vowel, is
    // text[0, stem_begin) and a kept suffix is text[stem_end, end); a split's
    // first part is text[0, stem_end) and its second the rest. A word the rules
    // alone finished is all stem.
    std::size_t stem_begin = 0;
    std::size_t stem_end = 0;
};

// Throws EngineError(overflow) for words too long for the 16-bit rules.
FinishedWord finish_word(std::u16string word, const Dictionary& dictionary);

}  // namespace taviro
