// The English side of the loanword finder: pronunciations read from the CMU
// pronouncing dictionary as Debian's festlex-cmu writes it, the list of
// English words that chooses among them, and the consonant skeletons a
// pronunciation is found by.
//
// It reads lines it is given, not files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace taviro::loanwords {

struct EnglishPronunciation {
    std::string word;
    // Phones in order; a vowel of a stressed syllable carries kStressed after
    // its name, and er is followed by an r of its own.
    std::vector<std::string> phones;
};

// One line of the dictionary, ("word" pos (((phones) stress) ...)). Nothing
// for anything else: the header, a word that is not all lower-case letters
// (names with a capital, abbreviations, variants written word(2)), a line
// without syllables.
std::optional<EnglishPronunciation> parse_pronunciation(std::string_view line);

// The words of a list such as /usr/share/dict/british-english, one a line, in
// lower case: common words, and names the list writes with a capital, such as
// countries.
std::unordered_set<std::string> english_words(std::string_view list);

// Every consonant skeleton of the phones (see skeleton()): "ng" is the nasal,
// with or without the g that Gurmukhi writes after it.
std::vector<std::string> english_skeletons(const std::vector<std::string>& phones);

}  // namespace taviro::loanwords
