#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "taviro/gurmukhi.h"
#include "taviro/tables.h"

namespace taviro {
namespace {

const std::set<char16_t> kRomanLetters{u'\u00F1', u'\u0101', u'\u0113', u'\u0121', u'\u012B', u'\u014D',
                                       u'\u016B', u'\u1E0D', u'\u1E35', u'\u1E37', u'\u1E41', u'\u1E43',
                                       u'\u1E45', u'\u1E47', u'\u1E5B', u'\u1E6D', u'\u1E96'};

bool is_allowed_ascii(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'.' || c == u':' || c == u'-';
}

void expect_roman_text(std::u16string_view text) {
    for (char16_t c : text) {
        EXPECT_TRUE(is_allowed_ascii(c) || kRomanLetters.contains(c)) << "unexpected unit " << std::hex << int(c);
    }
}

TEST(CharacterMap, HasAscendingUniqueCodePointsInTheGurmukhiRange) {
    const auto& map = character_map();
    ASSERT_EQ(map.size(), 76u);
    for (std::size_t row = 1; row < map.size(); ++row) EXPECT_LT(map[row - 1].code_point, map[row].code_point);
    EXPECT_EQ(map.front().code_point, u'\u0964');
    EXPECT_EQ(map.back().code_point, u'\u0A74');
}

TEST(CharacterMap, HoldsOnlyRomanLettersOrTheTwoMarkers) {
    std::set<char16_t> letters_seen;
    for (const MapRow& row : character_map()) {
        if (row.roman == kDoublingMarker || row.roman == kNoConversionMarker) continue;
        ASSERT_FALSE(row.roman.empty());
        expect_roman_text(row.roman);
        for (char16_t c : row.roman) {
            if (c > 0x7F) letters_seen.insert(c);
        }
    }
    // Every one of the 17 letters is used by the map itself; none is a combining mark.
    EXPECT_EQ(letters_seen, kRomanLetters);
}

TEST(CharacterMap, MarkersStandOnAddakIriAndUra) {
    const auto& map = character_map();
    EXPECT_EQ(map[find_map_row(kAddak)].roman, kDoublingMarker);
    EXPECT_EQ(map[find_map_row(u'\u0A72')].roman, kNoConversionMarker);
    EXPECT_EQ(map[find_map_row(u'\u0A73')].roman, kNoConversionMarker);
    const auto markers = std::count_if(map.begin(), map.end(), [](const MapRow& row) {
        return row.roman == kDoublingMarker || row.roman == kNoConversionMarker;
    });
    EXPECT_EQ(markers, 3);
}

TEST(CharacterMap, ConsonantsCarryTheInherentVowelAndSignsMatchTheirVowels) {
    const auto& map = character_map();
    for (char16_t c = u'\u0A15'; c <= u'\u0A39'; ++c) {
        const std::size_t row = find_map_row(c);
        if (row != kMapRows) {
            EXPECT_EQ(map[row].roman.back(), u'a') << std::hex << int(c);
        }
    }
    const std::pair<char16_t, char16_t> sign_and_vowel[] = {
        {u'\u0A3E', u'\u0A06'}, {u'\u0A3F', u'\u0A07'}, {u'\u0A40', u'\u0A08'}, {u'\u0A41', u'\u0A09'},
        {u'\u0A42', u'\u0A0A'}, {u'\u0A47', u'\u0A0F'}, {u'\u0A48', u'\u0A10'}, {u'\u0A4B', u'\u0A13'},
        {u'\u0A4C', u'\u0A14'}};
    for (auto [sign, vowel] : sign_and_vowel) {
        EXPECT_EQ(map[find_map_row(sign)].roman, map[find_map_row(vowel)].roman);
    }
}

TEST(CharacterMap, LookupAgreesWithFirstMatchScanForEveryCodeUnit) {
    const auto& map = character_map();
    for (std::uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const auto c = static_cast<char16_t>(unit);
        const auto it = std::find_if(map.begin(), map.end(), [c](const MapRow& row) { return row.code_point == c; });
        ASSERT_EQ(find_map_row(c), static_cast<std::size_t>(it - map.begin())) << std::hex << unit;
    }
}

TEST(CharacterMap, SignsWithoutARowFindNone) {
    for (char16_t c : {u'\u0A3C', u'\u0A4D', u'\u0A01', u'\u0A51', u'\u0A75', u'k', u'\u0A29', u'\u0A00'}) {
        EXPECT_EQ(find_map_row(c), kMapRows) << std::hex << int(c);
    }
}

TEST(AffixLists, HoldOnlyRomanLetters) {
    for (auto text : prefix_list()) expect_roman_text(text);
    for (auto text : suffix_list()) expect_roman_text(text);
}

// The entry a search matched, or "" when none did.
std::u16string_view matched_prefix(std::u16string_view word) {
    const std::size_t index = find_prefix(word);
    return index == kPrefixCount ? std::u16string_view() : prefix_list()[index];
}

std::u16string_view matched_suffix(std::u16string_view word) {
    const std::size_t index = find_suffix(word);
    return index == kSuffixCount ? std::u16string_view() : suffix_list()[index];
}

struct AffixCase {
    std::u16string_view word;
    std::u16string_view matched;
};

void PrintTo(const AffixCase& c, std::ostream* os) { *os << "word of " << c.word.size() << " units"; }

class PrefixSearch : public testing::TestWithParam<AffixCase> {};

TEST_P(PrefixSearch, FindsTheFirstEntryInListOrder) {
    EXPECT_TRUE(matched_prefix(GetParam().word) == GetParam().matched);
}

// "sa" comes after "saṃ", "san" and "sam", and "pari" before "par": order, not length, decides.
INSTANTIATE_TEST_SUITE_P(ListOrderNotLength, PrefixSearch,
                         testing::Values(AffixCase{u"abhimān", u"abhi"}, AffixCase{u"saṃsār", u"saṃ"},
                                         AffixCase{u"pratīk", u"pratī"}, AffixCase{u"pariṇām", u"pari"},
                                         AffixCase{u"paṛhnā", u"paṛ"}, AffixCase{u"pardā", u"par"},
                                         AffixCase{u"ādmī", u"ā"}, AffixCase{u"nihcal", u"nih"},
                                         AffixCase{u"anubhav", u"anu"}, AffixCase{u"samān", u"sam"},
                                         AffixCase{u"sahaj", u"sa"}, AffixCase{u"ka", u"ka"},
                                         AffixCase{u"dōst", u""}, AffixCase{u"", u""}));

class SuffixSearch : public testing::TestWithParam<AffixCase> {};

TEST_P(SuffixSearch, FindsTheFirstEntryShorterThanTheWord) {
    EXPECT_TRUE(matched_suffix(GetParam().word) == GetParam().matched);
}

INSTANTIATE_TEST_SUITE_P(ListOrder, SuffixSearch,
                         testing::Values(AffixCase{u"pāṭhak", u"ak"}, AffixCase{u"dukānadār", u"dār"},
                                         AffixCase{u"ak", u""}, AffixCase{u"ū", u""}, AffixCase{u"lū", u"ū"},
                                         AffixCase{u"kamal", u""}));

TEST(NuktaComposition, GivesTheLetterOfSevenBases) {
    EXPECT_EQ(compose_nukta(u'\u0A38'), u'\u0A36');
    EXPECT_EQ(compose_nukta(u'\u0A21'), u'\u0A5C');  // older texts' ੜ
    EXPECT_EQ(compose_nukta(u'\u0A2B'), u'\u0A5E');
    EXPECT_EQ(compose_nukta(u'\u0A15'), 0);
    int composed = 0;
    for (char16_t c = u'\u0A00'; c < u'\u0A80'; ++c) {
        if (compose_nukta(c) != 0) {
            ++composed;
            EXPECT_TRUE(has_nukta(compose_nukta(c)));
            EXPECT_NE(find_map_row(compose_nukta(c)), kMapRows);
        }
    }
    EXPECT_EQ(composed, 7);
    EXPECT_FALSE(has_nukta(u'\u0A38'));
}

}  // namespace
}  // namespace taviro
