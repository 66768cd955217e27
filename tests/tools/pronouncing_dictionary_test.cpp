// Lines of the CMU pronouncing dictionary as Debian's festlex-cmu writes them,
// the English word list, and the skeletons a pronunciation is found by.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "pronouncing_dictionary.h"

namespace taviro::loanwords {
namespace {

struct LineCase {
    const char* name;
    std::string_view line;
    std::optional<EnglishPronunciation> parsed;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class PronouncingDictionaryLine : public testing::TestWithParam<LineCase> {};

TEST_P(PronouncingDictionaryLine, ParsesTheWordAndItsPhones) {
    const std::optional<EnglishPronunciation> parsed = parse_pronunciation(GetParam().line);
    ASSERT_EQ(parsed.has_value(), GetParam().parsed.has_value());
    if (!parsed) return;
    EXPECT_EQ(parsed->word, GetParam().parsed->word);
    EXPECT_EQ(parsed->phones, GetParam().parsed->phones);
}

using Phones = std::vector<std::string>;

INSTANTIATE_TEST_SUITE_P(
    Lines, PronouncingDictionaryLine,
    testing::Values(
        // The vowel of a stressed syllable is marked; consonants never are.
        LineCase{"OneStressedSyllable", R"(("text" nil (((t eh k s t) 1))))",
                 EnglishPronunciation{"text", Phones{"t", "eh1", "k", "s", "t"}}},
        LineCase{"UnstressedSyllableUnmarked", R"(("ticket" nil (((t ih) 1) ((k ax t) 0))))",
                 EnglishPronunciation{"ticket", Phones{"t", "ih1", "k", "ax", "t"}}},
        // er is its vowel and an r, since Gurmukhi writes the r.
        LineCase{"ErTakenAsVowelAndR", R"(("internet" nil (((ih n) 1) ((t er) 0) ((n eh t) 1))))",
                 EnglishPronunciation{"internet", Phones{"ih1", "n", "t", "er", "r", "n", "eh1", "t"}}},
        LineCase{"StressedEr", R"(("clerk" nil (((k l er k) 1))))",
                 EnglishPronunciation{"clerk", Phones{"k", "l", "er1", "r", "k"}}},
        // A second pronunciation is a line of its own, with another part of speech.
        LineCase{"PartOfSpeechIgnored", R"(("a" n (((ey) 1))))", EnglishPronunciation{"a", Phones{"ey1"}}},
        LineCase{"Header", "MNCL", std::nullopt},
        LineCase{"Comment", ";; a comment", std::nullopt},
        LineCase{"Empty", "", std::nullopt},
        LineCase{"CapitalizedName", R"(("AWOL" n (((ey) 1) ((w ao l) 0))))", std::nullopt},
        LineCase{"NumberedVariant", R"line(("read(2)" nil (((r iy d) 1))))line", std::nullopt},
        LineCase{"Apostrophe", R"(("don't" nil (((d ow n t) 1))))", std::nullopt},
        LineCase{"NoSyllables", R"(("text" nil ()))", std::nullopt},
        LineCase{"UnclosedWord", R"(("text nil (((t eh k s t) 1))))", std::nullopt}),
    [](const testing::TestParamInfo<LineCase>& info) { return info.param.name; });

TEST(EnglishWordList, LowersOnlyTheFirstCapital) {
    const std::unordered_set<std::string> words = english_words("text\nAustralia\nNASA\n\nclerk's\n");
    EXPECT_EQ(words, (std::unordered_set<std::string>{"text", "australia", "nASA", "", "clerk's"}));
}

struct SkeletonCase {
    const char* name;
    Phones phones;
    std::vector<std::string> skeletons;
};

void PrintTo(const SkeletonCase& c, std::ostream* os) { *os << c.name; }

class EnglishSkeleton : public testing::TestWithParam<SkeletonCase> {};

TEST_P(EnglishSkeleton, KeysTheStrongConsonants) {
    EXPECT_EQ(english_skeletons(GetParam().phones), GetParam().skeletons);
}

INSTANTIATE_TEST_SUITE_P(
    Phones, EnglishSkeleton,
    testing::Values(
        SkeletonCase{"VowelsLeftOut", {"t", "eh1", "k", "s", "t"}, {"tkst"}},
        // p and f, s and sh, z and jh share a key.
        SkeletonCase{"SharedKeys", {"sh", "ih1", "f", "t"}, {"spt"}},
        // w, y and hh are weak; dh fits nothing Gurmukhi writes.
        SkeletonCase{"WeakLeftOutDhKept", {"w", "eh1", "dh", "er", "r"}, {"Xr"}},
        // Gurmukhi may write the g after ng, or leave it.
        SkeletonCase{"NgWithAndWithoutG", {"s", "ih1", "ng", "er", "r"}, {"sNgr", "sNr"}},
        SkeletonCase{"NoConsonant", {"ey1"}, {""}}),
    [](const testing::TestParamInfo<SkeletonCase>& info) { return info.param.name; });

}  // namespace
}  // namespace taviro::loanwords
