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

// Signs that a reader reads past: udaat and yakash, which Punjabi prose
// never sounds, are as if not in the text at all, and a nukta that no letter
// takes writes nothing. A stretch of nothing else stands between nothing: it
// is no word, and keeps no line end from pairing with the next.
constexpr bool reads_as_nothing(char16_t unit) noexcept {
    return unit == kUdaat || unit == kYakash || unit == kNukta;
}

}  // namespace taviro
