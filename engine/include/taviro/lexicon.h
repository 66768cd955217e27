// Lexicons: whole words the rules get wrong, written as an entry says. A
// user's own entries win over the loanwords, and both over the rules; the
// order of the enumerators is that precedence.
#pragma once

#include <cstdint>
#include <string_view>

namespace taviro {

enum class Lexicon : std::uint8_t { none, loanword, user };

struct Pronunciation {
    std::u16string_view roman;
    Lexicon lexicon = Lexicon::none;
};

}  // namespace taviro
