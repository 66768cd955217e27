#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "taviro/lexicon.h"
#include "taviro/memory_dictionary.h"

namespace taviro {
namespace {

TEST(MemoryDictionary, CountsEveryRowAsTheTableGrows) {
    MemoryDictionary dictionary;
    for (int round = 1; round <= 2; ++round) {
        for (char16_t unit = u'a'; unit < u'a' + 3000; ++unit) {
            dictionary.add(std::u16string(3, unit));
        }
    }
    dictionary.add(u"");
    EXPECT_EQ(dictionary.size(), 6001u);
    EXPECT_EQ(dictionary.count(u"aaa"), 2u);
    EXPECT_EQ(dictionary.count(std::u16string(3, u'a' + 2999)), 2u);
    EXPECT_EQ(dictionary.count(u""), 1u);
    EXPECT_EQ(dictionary.count(u"aa"), 0u);
    EXPECT_EQ(dictionary.count(u"aaaa"), 0u);
}

// ਸ਼ਾਮ as the run reads it, sha as its one precomposed letter.
constexpr std::u16string_view kSham = u"\u0A36\u0A3E\u0A2E";

struct Entry {
    std::u16string_view units;
    std::u16string_view roman;
    Lexicon lexicon;
};

struct LexiconCase {
    const char* name;
    std::vector<Entry> entries;  // pronounced in this order
    std::u16string_view roman;
    Lexicon lexicon;
};

void PrintTo(const LexiconCase& c, std::ostream* os) { *os << c.name; }

class MemoryLexicon : public testing::TestWithParam<LexiconCase> {};

TEST_P(MemoryLexicon, KeepsTheEntryOfTheWinningLexicon) {
    MemoryDictionary dictionary;
    for (const Entry& entry : GetParam().entries) dictionary.pronounce(entry.units, entry.roman, entry.lexicon);
    const std::optional<Pronunciation> found = dictionary.pronunciation(kSham);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->roman, GetParam().roman);
    EXPECT_EQ(found->lexicon, GetParam().lexicon);
    EXPECT_EQ(dictionary.pronunciations(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Precedence, MemoryLexicon,
    testing::Values(
        LexiconCase{"UserOverLoanword",
                    {{kSham, u"shyām", Lexicon::loanword}, {kSham, u"shām", Lexicon::user}},
                    u"shām", Lexicon::user},
        LexiconCase{"LoanwordNeverOverUser",
                    {{kSham, u"shām", Lexicon::user}, {kSham, u"shyām", Lexicon::loanword}},
                    u"shām", Lexicon::user},
        LexiconCase{"LaterEntryOfTheSameLexicon",
                    {{kSham, u"shyām", Lexicon::loanword}, {kSham, u"shaam", Lexicon::loanword}},
                    u"shaam", Lexicon::loanword},
        // sa with a separate nukta is the same word as sha.
        LexiconCase{"SeparateNuktaIsTheSameWord",
                    {{u"\u0A38\u0A3C\u0A3E\u0A2E", u"shām", Lexicon::user}},
                    u"shām", Lexicon::user}),
    [](const testing::TestParamInfo<LexiconCase>& info) { return info.param.name; });

// Two lexicons kept apart, as the page keeps the user's and the loanwords':
// the same answer as one dictionary holding both.
TEST(MemoryLexicon, TheUsersEntryWinsOverALoanwordFromAnotherDictionary) {
    const Pronunciation user{u"user", Lexicon::user};
    const Pronunciation loanword{u"loan", Lexicon::loanword};
    EXPECT_EQ(winning(user, loanword)->roman, u"user");
    EXPECT_EQ(winning(loanword, user)->roman, u"user");
    EXPECT_EQ(winning(std::nullopt, loanword)->roman, u"loan");
    EXPECT_FALSE(winning(std::nullopt, std::nullopt).has_value());
}

TEST(MemoryLexicon, RowsAloneAnswerNoPronunciation) {
    const MemoryDictionary dictionary({u"shām"});
    EXPECT_FALSE(dictionary.pronunciation(kSham).has_value());
}

}  // namespace
}  // namespace taviro
