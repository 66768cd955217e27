// Lexicons: whole words the rules get wrong, written as an entry says. A
// user's own entries win over the loanwords, and both over the rules; the
// order of the enumerators is that precedence.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace taviro {

enum class Lexicon : std::uint8_t { none, loanword, user };

struct Pronunciation {
    std::u16string_view roman;
    Lexicon lexicon = Lexicon::none;
    // A loanword's English spelling, which plain letters write instead of
    // `roman` (ਟੈਸਟ test, where the marks write ṭaisṭ); empty when it has none.
    std::u16string_view spelling = {};
};

// Whether an entry of `challenger` takes a word's place from one of `holder`.
constexpr bool outranks(Lexicon challenger, Lexicon holder) noexcept { return challenger >= holder; }

// Of two lexicons' answers for one word, the one the word is written by.
constexpr std::optional<Pronunciation> winning(std::optional<Pronunciation> first,
                                               std::optional<Pronunciation> second) noexcept {
    if (!first) return second;
    if (!second) return first;
    return outranks(second->lexicon, first->lexicon) ? second : first;
}

}  // namespace taviro
