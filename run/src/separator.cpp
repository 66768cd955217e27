#include "taviro/run/separator.h"

#include <algorithm>
#include <array>

namespace taviro {
namespace {

struct UnitRange {
    char16_t first;
    char16_t last;
};

// Bounds included. ASCII digits (48 to 57) sit inside 32 to 63 and so end words
// too, while the Gurmukhi digits are word characters.
constexpr std::array<UnitRange, 7> kSeparatorRanges{{
    {u'\t', u'\t'},
    {kLineFeed, kLineFeed},
    {u'\f', kCarriageReturn},
    {u' ', u'?'},
    {u'[', u']'},
    {u'{', u'}'},
    {kDanda, kDoubleDanda},
}};

}  // namespace

bool is_separator(char16_t unit) noexcept {
    return std::ranges::any_of(kSeparatorRanges, [unit](const UnitRange& range) {
        return range.first <= unit && unit <= range.last;
    });
}

}  // namespace taviro
