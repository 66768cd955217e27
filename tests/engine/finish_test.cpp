#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "taviro/engine_error.h"
#include "taviro/finish.h"
#include "taviro/memory_dictionary.h"

namespace taviro {
namespace {

// Records every question asked, so tests can check the lookups a word costs.
class RecordingDictionary final : public Dictionary {
public:
    explicit RecordingDictionary(std::vector<std::u16string> rows) : words_(rows) {}
    std::size_t count(std::u16string_view text) const override {
        asked.emplace_back(text);
        return words_.count(text);
    }
    mutable std::vector<std::u16string> asked;

private:
    MemoryDictionary words_;
};

struct FinishCase {
    const char* name;
    std::u16string_view word;
    std::vector<std::u16string> dictionary;
    std::u16string_view finished;
    bool prefix, suffix, split;
};

void PrintTo(const FinishCase& c, std::ostream* os) { *os << c.name; }

class FinishWord : public testing::TestWithParam<FinishCase> {};

TEST_P(FinishWord, FinishesAsTheDictionaryConfirms) {
    const FinishCase& c = GetParam();
    const MemoryDictionary dictionary(c.dictionary);
    const FinishedWord result = finish_word(std::u16string(c.word), dictionary);
    EXPECT_EQ(result.text, c.finished);
    EXPECT_EQ(result.prefix, c.prefix);
    EXPECT_EQ(result.suffix, c.suffix);
    EXPECT_EQ(result.split, c.split);
}

INSTANTIATE_TEST_SUITE_P(
    Words, FinishWord,
    testing::Values(
        FinishCase{"CompoundSplitsIntoTwoWords", u"kamalanayan", {u"kamal", u"nayan"}, u"kamalnayan", false, false,
                   true},
        FinishCase{"UnknownCompoundGoesWholeToSchwaDeletion", u"kamalanayan", {}, u"kamlanyan", false, false, false},
        FinishCase{"PrefixJunctionADropped", u"upak\u0101r", {u"k\u0101r"}, u"upk\u0101r", true, false, false},
        FinishCase{"SuffixJunctionADropped", u"duk\u0101nad\u0101r", {u"duk\u0101n"}, u"duk\u0101nd\u0101r", false,
                   true, false},
        FinishCase{"JoiningVowelKeptWithPrefix", u"nir\u0101dhar", {u"dhar"}, u"nir\u0101dhar", true, false, false},
        FinishCase{"UnconfirmedPrefixIsNotKept", u"upak\u0101r", {}, u"upk\u0101r", false, false, false},
        FinishCase{"StemHeldTwiceConfirms", u"upak\u0101r", {u"k\u0101r", u"k\u0101r"}, u"upk\u0101r", true, false,
                   false},
        FinishCase{"PartHeldTwiceDoesNotSplit", u"kamalanayan", {u"kamal", u"kamal", u"nayan"}, u"kamlanyan", false,
                   false, false},
        FinishCase{"DigitWordNeverSplit", u"12kamalanayan", {u"12kamal", u"nayan"}, u"12kamlanyan", false, false,
                   false},
        FinishCase{"TwoLetterWordNeverSplit", u"ki", {u"k", u"i"}, u"ki", false, false, false},
        FinishCase{"OneLetterWordKeepsItsA", u"ka", {}, u"ka", false, false, false},
        FinishCase{"EmptyWordStaysEmpty", u"", {}, u"", false, false, false},
        FinishCase{"SuffixEqualToWordDoesNotMatch", u"ak", {u""}, u"ak", false, false, false},
        FinishCase{"NoConversionMarker", u"[No Conversion Available]", {}, u"[No Conversion Availble]", false, false,
                   false},
        // "ai" is a vowel, not an inherent "a" plus "i": the junction keeps it.
        FinishCase{"SplitKeepsAiOfTail", u"ph\u0101ramai\u1E6D", {u"ph\u0101ram", u"i\u1E6D"},
                   u"ph\u0101rmai\u1E6D", false, false, false},
        FinishCase{"SuffixKeepsAOfAiBeforeI", u"\u1E6Daraik", {u"\u1E6Dar"}, u"\u1E6Daraik", false, false, false},
        FinishCase{"SuffixStillDropsAOfStemBeforeOtherLetters", u"\u1E6Daral\u0101", {u"\u1E6Dar"},
                   u"\u1E6Darl\u0101", false, true, false},
        FinishCase{"PrefixKeepsAOfAuInStem", u"upaus", {u"aus"}, u"upaus", true, false, false}),
    [](const testing::TestParamInfo<FinishCase>& info) { return info.param.name; });

TEST(FinishWord, SplitScanTakesTheWordsASecondTimeAfterASyllableEndVowel) {
    RecordingDictionary dictionary({});
    EXPECT_EQ(finish_word(u"kiamal", dictionary).text, u"kiamal");
    // No prefix or suffix matches, so every question comes from the split scan.
    EXPECT_EQ(dictionary.asked, (std::vector<std::u16string>{u"ki", u"kiaam"}));
}

TEST(FinishWord, WorkedCompoundAsksTheDocumentedLookups) {
    RecordingDictionary dictionary({u"kamal", u"nayan"});
    const FinishedWord result = finish_word(u"kamalanayan", dictionary);
    EXPECT_EQ(result.text, u"kamalnayan");
    // Stem lookup for the prefix "kam", then the split heads and the tail.
    EXPECT_EQ(dictionary.asked,
              (std::vector<std::u16string>{u"lanayan", u"k", u"kam", u"kamal", u"nayan"}));
}

TEST(FinishWord, LoneConsonantWithPrefixLooksUpTheEmptyStem) {
    RecordingDictionary dictionary({});
    EXPECT_EQ(finish_word(u"ka", dictionary).text, u"ka");
    ASSERT_FALSE(dictionary.asked.empty());
    EXPECT_EQ(dictionary.asked.front(), u"");
    const MemoryDictionary with_empty_entry({u""});
    const FinishedWord kept = finish_word(u"ka", with_empty_entry);
    EXPECT_TRUE(kept.prefix);
    EXPECT_EQ(kept.text, u"ka");
}

TEST(FinishWord, OverlongWordOverflows) {
    const MemoryDictionary dictionary;
    try {
        finish_word(std::u16string(32768, u'k'), dictionary);
        FAIL() << "no error";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.kind(), EngineError::Kind::overflow);
    }
}

}  // namespace
}  // namespace taviro
