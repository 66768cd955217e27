// The Gurmukhi block of Unicode and the signs the rules treat apart from the
// letters of the character map. Every layer that asks "is this Gurmukhi?"
// asks here, so that they all draw the line at the same place.
#pragma once

#include <cstddef>

namespace taviro {

// The Gurmukhi block of Unicode, U+0A00 to U+0A7F.
inline constexpr char16_t kGurmukhiBlockStart = u'\u0A00';
inline constexpr std::size_t kGurmukhiBlockSize = 0x80;

constexpr bool in_gurmukhi_block(char16_t unit) noexcept {
    return unit >= kGurmukhiBlockStart && unit < kGurmukhiBlockStart + kGurmukhiBlockSize;
}

inline constexpr char16_t kBindi = u'\u0A02';
inline constexpr char16_t kTippi = u'\u0A70';
inline constexpr char16_t kAddak = u'\u0A71';
inline constexpr char16_t kHalant = u'\u0A4D';
inline constexpr char16_t kNukta = u'\u0A3C';

}  // namespace taviro
