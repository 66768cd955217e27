// Which code units end a word: the quick answer for every unit is the one the
// ranges of separators give.

#include "taviro/convert/separator.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace taviro {
namespace {

TEST(Separators, EveryUnitEndsAWordExactlyWhenItLiesInTheRanges) {
    for (std::uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const auto c = static_cast<char16_t>(unit);
        ASSERT_EQ(is_separator(c), separator_detail::in_separator_ranges(c)) << unit;
    }
}

}  // namespace
}  // namespace taviro
