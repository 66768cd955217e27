// The letters the loanword finder matches one against the other: the
// consonants and vowels of Gurmukhi, and the phones of the CMU pronouncing
// dictionary. The rows, their source and where they deliberately depart from
// plain phonetics are in letter_tables.cpp.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace taviro::loanwords {

// Key letters of consonant classes. A class holds the Gurmukhi letters and the
// English consonants that may stand for one another, so that a word and a
// pronunciation with the same keys in the same order may fit. The weak classes
// (glides and h) are left out of the keys; kNoEnglish fits nothing.
inline constexpr char kNasal = 'N';
inline constexpr char kNoEnglish = 'X';
bool is_weak(char key);

struct GurmukhiConsonant {
    char16_t letter;
    char key;
    std::array<std::string_view, 3> english;  // the phones it may be written for
};

struct EnglishConsonant {
    std::string_view phone;
    char key;
};

// What an English vowel may be written as, in the vowel letters of a reading
// (see vowel_of_sign()), the likeliest first.
struct EnglishVowel {
    std::string_view phone;
    std::array<std::string_view, 6> written;
};

// The row of a Gurmukhi consonant, or nullptr for any other unit. The tippi
// has a row: before a consonant it is one.
const GurmukhiConsonant* gurmukhi_consonant(char16_t letter);
// The row of an English consonant phone, or nullptr for a vowel.
const EnglishConsonant* english_consonant(std::string_view phone);
// The row of an English vowel phone, stressed or not, or nullptr.
const EnglishVowel* english_vowel(std::string_view phone);
// Whether an unwritten inherent "a" may stand for this English vowel.
bool is_neutral_vowel(std::string_view phone);

// The vowel letter of a Gurmukhi vowel sign, or of an independent vowel:
// a (ਅ), A ਾ, i ਿ, I ੀ, u ੁ, U ੂ, e ੇ, E ੈ, o ੋ, O ੌ.
std::optional<char> vowel_of_sign(char16_t unit);
std::optional<char> vowel_of_letter(char16_t unit);
// The carriers that write an independent vowel with the sign after them.
inline constexpr char16_t kIriCarrier = u'\u0A72';
inline constexpr char16_t kUraCarrier = u'\u0A73';

// The parser marks a stressed vowel with this after its name ("eh1").
inline constexpr char kStressed = '1';
std::string_view without_stress(std::string_view phone);
bool is_stressed(std::string_view phone);

}  // namespace taviro::loanwords
