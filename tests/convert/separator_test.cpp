// Which characters end a word: ASCII by its own ranges, everything beyond it
// by its Unicode category, outside the Gurmukhi block.

#include "taviro/convert/separator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace taviro {
namespace {

TEST(Separators, AsciiUnitsEndAWordExactlyWhenTheyLieInTheRanges) {
    for (char16_t unit = 0; unit < 0x80; ++unit) {
        ASSERT_EQ(is_separator(unit), separator_detail::in_ascii_separator_ranges(unit)) << int(unit);
    }
}

TEST(Separators, BeyondAsciiPunctuationSpacesAndSymbolsEndAWord) {
    struct Row {
        std::u16string character;
        bool separator;
    };
    const Row rows[] = {
        {u"\u2018", true},  {u"\u201D", true},  {u"\u2013", true},  {u"\u00A0", true},  {u"\u2028", true},
        {u"\u20B9", true},  {u"\u00A9", true},  {u"\u0964", true},  {u"\u0965", true},  {u"\U0001F600", true},
        {u"\U0001F3FB", true},                                       // Sk: a skin tone
        {u"\u0A76", false},                                          // Gurmukhi, though punctuation
        {u"\u200B", false}, {u"\u00E9", false}, {u"\u0A3C", false}, {u"\U0001D400", false}, {u"\uFE0F", false},
    };
    for (const Row& row : rows) {
        const char16_t* begin = row.character.data();
        const char16_t* end = begin + row.character.size();
        EXPECT_EQ(separator_length(begin, end), row.separator ? row.character.size() : 0) << int(row.character[0]);
        EXPECT_EQ(holds_separator(u"ab" + row.character), row.separator) << int(row.character[0]);
        // A scan stops at every separator and at the first half of every pair.
        EXPECT_TRUE(may_end_word(row.character[0]) || !row.separator);
    }
    // The first half of a pair that is the text's last unit ends nothing.
    const std::u16string half = u"\U0001F600";
    EXPECT_EQ(separator_length(half.data(), half.data() + 1), 0U);
}

TEST(Separators, GurmukhiUnitsNeverStopTheScanForAWordsEnd) {
    for (std::uint32_t unit = 0x0A00; unit < 0x0A80; ++unit) {
        ASSERT_FALSE(may_end_word(static_cast<char16_t>(unit))) << unit;
    }
}

}  // namespace
}  // namespace taviro
