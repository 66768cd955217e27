#include <gtest/gtest.h>

#include "taviro/engine_error.h"
#include "taviro/schwa.h"

namespace taviro {
namespace {

struct SchwaCase {
    const char* name;
    std::u16string_view word;
    std::u16string_view result;
};

void PrintTo(const SchwaCase& c, std::ostream* os) { *os << c.name; }

class SchwaDeletion : public testing::TestWithParam<SchwaCase> {};

TEST_P(SchwaDeletion, RemovesTheInherentVowelsSpeechDrops) {
    std::u16string word(GetParam().word);
    const std::u16string returned = Schwa_Del(word);
    EXPECT_EQ(word, GetParam().result);
    EXPECT_EQ(returned, word);
}

INSTANTIATE_TEST_SUITE_P(
    Words, SchwaDeletion,
    testing::Values(SchwaCase{"MiddleABeforeLongVowel", u"kamal\u0101", u"kaml\u0101"},
                    SchwaCase{"FinalANeverRemoved", u"kamal", u"kamal"},
                    SchwaCase{"ABeginningAiStays", u"ka\u1E6Dhai\u0101", u"ka\u1E6Dhai\u0101"},
                    SchwaCase{"TwoPassesTwoRemovals", u"kamalakara", u"kamlakra"},
                    SchwaCase{"LongVowelIsFirstVowelNeverCandidate", u"k\u0101makaja", u"k\u0101mkaja"},
                    SchwaCase{"CandidateBeforeOtherVowelGoes", u"aktaeka", u"akteka"},
                    SchwaCase{"RescanSkipsTheMovedCharacter", u"aktaekaka", u"aktekaka"},
                    SchwaCase{"HyphenIsANonVowel", u"ka-ma", u"ka-ma"},
                    SchwaCase{"Empty", u"", u""},
                    SchwaCase{"NoVowels", u"krt", u"krt"},
                    SchwaCase{"OnlyFirstVowelA", u"ka", u"ka"},
                    SchwaCase{"LoneA", u"a", u"a"},
                    SchwaCase{"SecondABeforeAnyNonVowel", u"kaa", u"kaa"},
                    SchwaCase{"CapitalsAreNotVowels", u"KAMALA", u"KAMALA"},
                    SchwaCase{"KamalanayanWithoutDictionary", u"kamalanayan", u"kamlanyan"},
                    SchwaCase{"NoConversionMarkerLosesOneA", u"[No Conversion Available]",
                              u"[No Conversion Availble]"}),
    [](const testing::TestParamInfo<SchwaCase>& info) { return info.param.name; });

TEST(SchwaDeletion, OverflowsAtTheSixteenBitLimit) {
    std::u16string longest(32766, u'k');
    EXPECT_NO_THROW(Schwa_Del(longest));
    std::u16string too_long(32767, u'k');
    try {
        Schwa_Del(too_long);
        FAIL() << "no error";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.kind(), EngineError::Kind::overflow);
    }
}

}  // namespace
}  // namespace taviro
