// The code units that end a word: white space, ASCII digits and punctuation, the
// brackets and the two dandas. Every other code unit is a word character.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

namespace taviro {

inline constexpr char16_t kLineFeed = u'\n';
inline constexpr char16_t kCarriageReturn = u'\r';
inline constexpr char16_t kDanda = u'\u0964';
inline constexpr char16_t kDoubleDanda = u'\u0965';

namespace separator_detail {

struct UnitRange {
    char16_t first;
    char16_t last;
};

// Bounds included. ASCII digits (48 to 57) sit inside 32 to 63 and so end words
// too, while the Gurmukhi digits are word characters.
inline constexpr std::array<UnitRange, 7> kSeparatorRanges{{
    {u'\t', u'\t'},
    {kLineFeed, kLineFeed},
    {u'\f', kCarriageReturn},
    {u' ', u'?'},
    {u'[', u']'},
    {u'{', u'}'},
    {kDanda, kDoubleDanda},
}};

constexpr bool in_separator_ranges(char16_t unit) noexcept {
    return std::any_of(kSeparatorRanges.begin(), kSeparatorRanges.end(),
                       [unit](const UnitRange& range) { return range.first <= unit && unit <= range.last; });
}

// Every unit of a source passes the test, so ASCII is answered from a table
// built from the ranges, and only the dandas are left to compare beyond it.
inline constexpr std::size_t kAsciiUnits = 128;
inline constexpr std::array<bool, kAsciiUnits> kAsciiSeparators = [] {
    std::array<bool, kAsciiUnits> table{};
    for (std::size_t unit = 0; unit < kAsciiUnits; ++unit) {
        table[unit] = in_separator_ranges(static_cast<char16_t>(unit));
    }
    return table;
}();
static_assert(kSeparatorRanges.back().first == kDanda && kSeparatorRanges.back().last == kDoubleDanda,
              "the only separators beyond ASCII are the two dandas");

}  // namespace separator_detail

constexpr bool is_separator(char16_t unit) noexcept {
    using namespace separator_detail;
    return unit < kAsciiUnits ? kAsciiSeparators[unit] : (unit == kDanda || unit == kDoubleDanda);
}

}  // namespace taviro
