// Answers the two questions word finishing asks of the dictionary for one word
// a user types: is it a word at all (stem lookup), and exactly one (part lookup).
// A Gurmukhi word is first romanized as the dictionary's entries were; a Roman
// word is looked up as given.
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
    // The entry of a lexicon that writes a Gurmukhi word whole, when one does.
    std::u16string written;
    Lexicon lexicon = Lexicon::none;
};

// Whether `word` holds a Gurmukhi character (U+0A00..U+0A7F).
bool is_gurmukhi(std::u16string_view word);

// Throws EngineError when a Gurmukhi word cannot be romanized.
LookupAnswer look_up(std::u16string_view word, const Dictionary& dictionary);

// "kamal: stem yes (1 row), part yes", with "ਕਮਲ (kamal): ..." for a Gurmukhi word,
// and "; written jalandhar by the user lexicon" when an entry decides it.
std::string describe(std::u16string_view word, const LookupAnswer& answer);

// UTF-8 for printing; every unit of `text` is a whole character or a pair.
std::string to_utf8(std::u16string_view text);

}  // namespace taviro
