#include <gtest/gtest.h>

#include "taviro/dict/word_lookup.h"

namespace taviro {
namespace {

struct LookupCase {
    const char* name;
    std::u16string word;
    std::string answer;
};

void PrintTo(const LookupCase& value, std::ostream* out) {
    *out << value.name;
}

class LookUp : public ::testing::TestWithParam<LookupCase> {};

TEST_P(LookUp, AnswersBothLookups) {
    const MemoryDictionary dictionary({u"kamal", u"nayan", u"nayan", u"shām"});
    EXPECT_EQ(describe(GetParam().word, look_up(GetParam().word, dictionary)), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LookUp,
    ::testing::Values(LookupCase{"RomanWordOnce", u"kamal", "kamal: stem yes (1 row), part yes"},
                      LookupCase{"RomanWordTwice", u"nayan", "nayan: stem yes (2 rows), part no"},
                      LookupCase{"RomanWordMissing", u"kamala", "kamala: stem no (0 rows), part no"},
                      // Romanized as the dictionary's entries: the final "a" goes, nukta composes.
                      LookupCase{"GurmukhiWord", u"ਕਮਲ", "ਕਮਲ (kamal): stem yes (1 row), part yes"},
                      LookupCase{"GurmukhiWithDecomposedNukta", u"ਸ\u0A3Cਾਮ", "ਸ਼ਾਮ (shām): stem yes (1 row), part yes"}),
    [](const ::testing::TestParamInfo<LookupCase>& info) { return std::string(info.param.name); });

TEST(LookUp, AGurmukhiWordTheRulesRefuseIsAnError) {
    const MemoryDictionary dictionary;
    EXPECT_THROW(look_up(u"ਪੱ\u200D", dictionary), EngineError);
}

}  // namespace
}  // namespace taviro
