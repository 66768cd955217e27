// Answers the two questions word finishing asks of the dictionary for one word
// a user types: is it a word at all (stem lookup), and exactly one (part lookup).
// A Gurmukhi word is first romanized as the dictionary's entries were; a Roman
// word is looked up as given. For a Gurmukhi word it also tells what a
// conversion writes for it, which may differ from the entry's form: a run
// drops vowels that an entry keeps, and a lexicon may write the word whole.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "taviro/engine.h"

namespace taviro {

struct LookupAnswer {
    std::u16string roman;  // the text looked up
    std::size_t rows = 0;  // how many rows hold it
    bool stem = false;
    bool part = false;
    // What a conversion of the Gurmukhi word alone writes, with this dictionary.
    std::u16string written;
    // The lexicon whose entry writes the Gurmukhi word whole, if one does.
    Lexicon lexicon = Lexicon::none;
};

// Whether `word` holds a Gurmukhi character (U+0A00..U+0A7F).
bool is_gurmukhi(std::u16string_view word);

// Throws EngineError when a Gurmukhi word cannot be romanized.
LookupAnswer look_up(std::u16string_view word, const Dictionary& dictionary);

// "kamal: stem yes (1 row), part yes"; for a Gurmukhi word "ਕਮਲ → kamal: ...",
// with ", looked up as ṭaikasaṭ" when the entry's form is not the one written,
// and "; written as your lexicon says" (or the loanword lexicon's wording) when
// an entry writes the word.
std::string describe(std::u16string_view word, const LookupAnswer& answer);

// UTF-8 for printing; every unit of `text` is a whole character or a pair.
std::string to_utf8(std::u16string_view text);

}  // namespace taviro
