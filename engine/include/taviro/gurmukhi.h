// The Gurmukhi block of Unicode and the signs the rules treat apart from the
// letters of the character map. Every layer that asks "is this Gurmukhi?"
// asks here, so that they all draw the line at the same place.
#pragma once

#include <cstddef>
#include <string_view>

namespace taviro {

// The Gurmukhi block of Unicode, U+0A00 to U+0A7F.
inline constexpr char16_t kGurmukhiBlockStart = u'\u0A00';
inline constexpr std::size_t kGurmukhiBlockSize = 0x80;

constexpr bool in_gurmukhi_block(char16_t unit) noexcept {
    return unit >= kGurmukhiBlockStart && unit < kGurmukhiBlockStart + kGurmukhiBlockSize;
}

// Whether any unit of `text` lies in the Gurmukhi block: a word of the text
// the rules romanize, not English or digits.
constexpr bool holds_gurmukhi(std::u16string_view text) noexcept {
    for (const char16_t unit : text) {
        if (in_gurmukhi_block(unit)) return true;
    }
    return false;
}

inline constexpr char16_t kAdakBindi = u'\u0A01';
inline constexpr char16_t kBindi = u'\u0A02';
inline constexpr char16_t kTippi = u'\u0A70';
inline constexpr char16_t kAddak = u'\u0A71';
inline constexpr char16_t kHalant = u'\u0A4D';
inline constexpr char16_t kNukta = u'\u0A3C';
inline constexpr char16_t kUdaat = u'\u0A51';
inline constexpr char16_t kIri = u'\u0A72';
inline constexpr char16_t kUra = u'\u0A73';
inline constexpr char16_t kYakash = u'\u0A75';

// Letters the rules name one by one.
inline constexpr char16_t kLetterA = u'\u0A05';  // ਅ, the vowel letter a
inline constexpr char16_t kKa = u'\u0A15';
inline constexpr char16_t kMa = u'\u0A2E';
inline constexpr char16_t kVa = u'\u0A35';
inline constexpr char16_t kSa = u'\u0A38';
inline constexpr char16_t kHa = u'\u0A39';
inline constexpr char16_t kKanna = u'\u0A3E';  // the vowel sign ā

// The vowels as letters of their own, ਅ to ਔ.
constexpr bool is_vowel_letter(char16_t unit) noexcept { return unit >= u'\u0A05' && unit <= u'\u0A14'; }

// The consonants, ਕ to ਹ and the letters with a nukta of their own, ਖ਼ to ਫ਼
// (a few code points among them are unassigned).
constexpr bool is_consonant_letter(char16_t unit) noexcept {
    return (unit >= u'\u0A15' && unit <= u'\u0A39') || (unit >= u'\u0A59' && unit <= u'\u0A5E');
}

// The long vowels ā ī ū ē ai ō au, as signs and as letters.
constexpr bool is_long_vowel(char16_t unit) noexcept {
    return std::u16string_view(u"\u0A3E\u0A40\u0A42\u0A47\u0A48\u0A4B\u0A4C\u0A06\u0A08\u0A0A\u0A0F\u0A10\u0A13\u0A14")
               .find(unit) != std::u16string_view::npos;
}

// ī, as a sign and as a letter.
constexpr bool is_vowel_ii(char16_t unit) noexcept { return unit == u'\u0A40' || unit == u'\u0A08'; }

// ā, as a sign and as a letter.
constexpr bool is_vowel_aa(char16_t unit) noexcept { return unit == kKanna || unit == u'\u0A06'; }

// The short vowel signs i and u, which end many words of Gurbani unsaid.
constexpr bool is_short_vowel_sign(char16_t unit) noexcept { return unit == u'\u0A3F' || unit == u'\u0A41'; }

// The nasal consonant of each class: ਙ ਞ ਣ ਨ ਮ.
constexpr bool is_nasal_consonant(char16_t unit) noexcept {
    return unit == u'\u0A19' || unit == u'\u0A1E' || unit == u'\u0A23' || unit == u'\u0A28' || unit == kMa;
}

// Signs that a reader reads past: udaat and yakash, which Punjabi prose
// never sounds, are as if not in the text at all, and a nukta that no letter
// takes writes nothing. A stretch of nothing else stands between nothing: it
// is no word, and keeps no line end from pairing with the next.
constexpr bool reads_as_nothing(char16_t unit) noexcept {
    return unit == kUdaat || unit == kYakash || unit == kNukta;
}

}  // namespace taviro
