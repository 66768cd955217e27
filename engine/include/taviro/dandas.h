// The danda and the double danda, which end sentences and verses. They are
// separators of a run, never letters of a word: the run writes their text
// itself, and the character table shows the same texts in their rows.
#pragma once

#include <string_view>

#include "taviro/plain_letters.h"

namespace taviro {

inline constexpr char16_t kDanda = u'\u0964';
inline constexpr char16_t kDoubleDanda = u'\u0965';
inline constexpr std::u16string_view kDandaText = u".";
inline constexpr std::u16string_view kDoubleDandaText = u"..";

// What a run writes for `danda`: a full stop for the danda; two for the
// double danda in plain letters, which are ASCII through and through, while
// the marked text has always kept the double danda itself.
constexpr std::u16string_view danda_text(char16_t danda, Scheme scheme) noexcept {
    if (danda == kDanda) return kDandaText;
    return scheme == Scheme::ascii ? kDoubleDandaText : std::u16string_view(&kDoubleDanda, 1);
}

}  // namespace taviro
