// The characters that end a word: white space, ASCII digits and punctuation,
// the brackets and the two dandas, and beyond ASCII every punctuation mark,
// space and symbol outside the Gurmukhi block (curly quotes, dashes, the
// no-break space, emoji), so that a word's Roman text does not depend on how
// the text around it was typeset. Every other code unit is a word character.
//
// A separator beyond the Basic Multilingual Plane (most emoji) is two code
// units, a surrogate pair, and ends the word as one character.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

#include "taviro/character_classes.h"
#include "taviro/dandas.h"
#include "taviro/gurmukhi.h"

namespace taviro {

inline constexpr char16_t kLineFeed = u'\n';
inline constexpr char16_t kCarriageReturn = u'\r';

// How many line ends the read loop writes for `text`: one for each line feed
// and each carriage return, but none for the line feed of a CR LF pair, which
// only characters read as absent may stand between.
constexpr std::size_t count_line_ends(std::u16string_view text) noexcept {
    std::size_t count = 0;
    bool after_carriage_return = false;
    for (const char16_t unit : text) {
        if (unit == kLineFeed) {
            count += after_carriage_return ? 0 : 1;
            after_carriage_return = false;
        } else if (unit == kCarriageReturn) {
            ++count;
            after_carriage_return = true;
        } else if (!reads_as_nothing(unit)) {
            after_carriage_return = false;
        }
    }
    return count;
}

namespace separator_detail {

struct UnitRange {
    char16_t first;
    char16_t last;
};

// The ASCII separators, bounds included. ASCII digits (48 to 57) sit inside
// 32 to 63 and so end words too, while the Gurmukhi digits are word
// characters; "@", "_", "`", "^" and "~" are word characters.
inline constexpr std::array<UnitRange, 6> kAsciiSeparatorRanges{{
    {u'\t', u'\t'},
    {kLineFeed, kLineFeed},
    {u'\f', kCarriageReturn},
    {u' ', u'?'},
    {u'[', u']'},
    {u'{', u'}'},
}};

constexpr bool in_ascii_separator_ranges(char16_t unit) noexcept {
    return std::any_of(kAsciiSeparatorRanges.begin(), kAsciiSeparatorRanges.end(),
                       [unit](const UnitRange& range) { return range.first <= unit && unit <= range.last; });
}

// Every unit of a source passes the test, so ASCII is answered from a table
// built from the ranges.
inline constexpr std::size_t kAsciiUnits = 128;
inline constexpr std::array<bool, kAsciiUnits> kAsciiSeparators = [] {
    std::array<bool, kAsciiUnits> table{};
    for (std::size_t unit = 0; unit < kAsciiUnits; ++unit) {
        table[unit] = in_ascii_separator_ranges(static_cast<char16_t>(unit));
    }
    return table;
}();

}  // namespace separator_detail

// Whether `unit` alone is a separator. The dandas lie outside the Gurmukhi
// block and are punctuation, so they are among those beyond ASCII.
inline bool is_separator(char16_t unit) noexcept {
    using namespace separator_detail;
    if (unit < kAsciiUnits) return kAsciiSeparators[unit];
    return !in_gurmukhi_block(unit) && is_punctuation_space_or_symbol(unit);
}

// Whether the code point of a surrogate pair is a separator.
inline bool is_separator_pair(char16_t high, char16_t low) noexcept {
    return is_high_surrogate(high) && is_low_surrogate(low) && is_punctuation_space_or_symbol(code_point_of(high, low));
}

// Where a scan for the end of a word must stop and look: a separator, or the
// first half of a pair that may be one. Gurmukhi costs one comparison.
inline bool may_end_word(char16_t unit) noexcept {
    using namespace separator_detail;
    if (unit < kAsciiUnits) return kAsciiSeparators[unit];
    return !in_gurmukhi_block(unit) && (is_punctuation_space_or_symbol(unit) || is_high_surrogate(unit));
}

// How many units the separator that starts at `at` takes (1, or 2 for a
// pair), or 0 when `at` holds a word character. `end` bounds the text: the
// first half of a pair at its end is a word character, so a caller that has
// more text to come holds such a unit back until the next unit is known.
inline std::size_t separator_length(const char16_t* at, const char16_t* end) noexcept {
    if (is_separator(*at)) return 1;
    return at + 1 != end && is_separator_pair(at[0], at[1]) ? 2 : 0;
}

// Whether `text` holds a separator anywhere, a pair among them.
inline bool holds_separator(std::u16string_view text) noexcept {
    for (const char16_t* at = text.data(); at != text.data() + text.size(); ++at) {
        if (separator_length(at, text.data() + text.size()) != 0) return true;
    }
    return false;
}

}  // namespace taviro
