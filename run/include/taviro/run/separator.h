// The code units that end a word: white space, ASCII digits and punctuation, the
// brackets and the two dandas. Every other code unit is a word character.
#pragma once

namespace taviro {

inline constexpr char16_t kLineFeed = u'\n';
inline constexpr char16_t kCarriageReturn = u'\r';
inline constexpr char16_t kDanda = u'\u0964';
inline constexpr char16_t kDoubleDanda = u'\u0965';

bool is_separator(char16_t unit) noexcept;

}  // namespace taviro
