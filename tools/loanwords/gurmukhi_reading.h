// A Gurmukhi word read as the loanword finder compares it with English: its
// consonants, and what is written between them. Geminates, nasal signs and
// vowel carriers are taken apart here, so the aligner sees only consonants
// and vowel letters.
//
// It knows nothing of English; the letters come from letter_tables.h.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "letter_tables.h"

namespace taviro::loanwords {

struct Consonant {
    const GurmukhiConsonant* row;
    std::size_t at;             // its unit in the word, where a halant would go
    bool before_addak = false;  // its vowel comes before a geminate and stays
};

// What the word writes before a consonant, or after the last one.
struct Gap {
    enum class Kind {
        nothing,   // no vowel: the start of the word, a halant, or a tippi consonant
        inherent,  // the consonant's unwritten inherent "a"
        vowels,    // the vowel letters of `vowels`
    } kind = Kind::nothing;
    std::string vowels;  // vowel letters, as vowel_of_sign() gives them
};

struct Reading {
    std::u16string units;  // the word as the run reads it (units_as_read())
    std::vector<Consonant> consonants;
    std::vector<Gap> gaps;  // gaps[i] comes before consonants[i]; one more at the end
};

// The reading of `word`, or nothing for a word with a sign the reading does
// not know there, with no consonant, or ending in a nasal sign: English words
// end in no nasal vowel, and words that do are Punjabi plurals and cases.
std::optional<Reading> read_word(std::u16string_view word);

// The keys of the word's consonants, the weak ones left out: what a fitting
// English pronunciation must have (see english_skeletons()).
std::string skeleton(const Reading& reading);

}  // namespace taviro::loanwords
