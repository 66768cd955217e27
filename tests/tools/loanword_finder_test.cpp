// The finder's verdict on words of the list, with a few lines of the
// pronouncing dictionary and of the English word list: the entries and the
// words it must leave to the rules, from the build's loanword report.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loanword_lexicon.h"
#include "taviro/memory_dictionary.h"

namespace taviro::loanwords {
namespace {

constexpr std::string_view kPronouncingDictionary = R"(MNCL
("club" nil (((k l ah b) 1)))
("clerk" nil (((k l er k) 1)))
("grade" nil (((g r ey d) 1)))
("grebe" nil (((g r iy b) 1)))
("group" nil (((g r uw p) 1)))
("groups" nil (((g r uw p s) 1)))
("internet" nil (((ih n) 1) ((t er) 0) ((n eh t) 1)))
("profit" nil (((p r aa) 1) ((f ax t) 0)))
("style" nil (((s t ay l) 1)))
("text" nil (((t eh k s t) 1)))
("ticked" nil (((t ih k t) 1)))
("ticket" nil (((t ih) 1) ((k ax t) 0)))
("Tulsa" n (((t ah l) 1) ((s ax) 0)))
)";
// Not "grade": its pronunciation is not used.
constexpr std::string_view kEnglishWords =
    "club\nclerk\ngrebe\ngroup\ngroups\ninternet\nprofit\nstyle\ntext\nticked\nticket\n";

TEST(LoanwordFinder, UsesThePronunciationsOfTheListsWordsOnly) {
    EXPECT_EQ(LoanwordFinder(kPronouncingDictionary, kEnglishWords).pronunciations(), 11u);
}

struct FinderCase {
    const char* name;
    std::u16string_view word;
    std::vector<std::u16string> native;  // rows of the word dictionary
    Verdict verdict;
    std::u16string_view roman;  // for an entry
    std::string_view english;
    std::u16string_view base = u"";  // for an English plural or past form
};

void PrintTo(const FinderCase& c, std::ostream* os) { *os << c.name; }

class LoanwordVerdict : public testing::TestWithParam<FinderCase> {};

TEST_P(LoanwordVerdict, JudgesTheWord) {
    static const LoanwordFinder finder(kPronouncingDictionary, kEnglishWords);
    const FinderCase& c = GetParam();
    Loanword entry;
    EXPECT_EQ(finder.find(c.word, MemoryDictionary(c.native), entry), c.verdict);
    EXPECT_EQ(entry.roman, c.roman);
    EXPECT_EQ(entry.english, c.english);
    EXPECT_EQ(entry.base, c.base);
}

INSTANTIATE_TEST_SUITE_P(
    Words, LoanwordVerdict,
    testing::Values(
        FinderCase{"Text", u"ਟੈਕਸਟ", {}, Verdict::entry, u"ṭaiksṭ", "text"},
        FinderCase{"Clerk", u"ਕਲਰਕ", {}, Verdict::entry, u"klark", "clerk"},
        FinderCase{"Internet", u"ਇੰਟਰਨੈਟ", {}, Verdict::entry, u"iṇṭarnaiṭ", "internet"},
        FinderCase{"Group", u"ਗਰੁੱਪ", {}, Verdict::entry, u"grupp", "group"},
        FinderCase{"Club", u"ਕਲੱਬ", {}, Verdict::entry, u"klabb", "club"},
        FinderCase{"PluralOfGroup", u"ਗਰੁੱਪਸ", {}, Verdict::entry, u"grupps", "groups", u"ਗਰੁੱਪ"},
        FinderCase{"RulesWriteStyleSoAlready", u"ਸਟਾਈਲ", {}, Verdict::same_as_rules, u"", ""},
        // ticket and ticked fit equally well and write it differently.
        FinderCase{"TicketOrTicked", u"ਟਿਕਟ", {}, Verdict::ambiguous, u"", ""},
        FinderCase{"DentalWord", u"ਪ੍ਰਾਪਤ", {}, Verdict::no_english, u"", ""},
        FinderCase{"EnglishWordNotInTheList", u"ਗਰੇਡ", {}, Verdict::no_english, u"", ""},
        // Fits grebe, but shows no sign of English spelling.
        FinderCase{"NativeWordLikeAnEnglishOne", u"ਗਰੀਬ", {}, Verdict::few_consonants, u"", ""},
        FinderCase{"NasalEnding", u"ਵਰਤੋਂ", {}, Verdict::not_parsed, u"", ""},
        // The dictionary splits a short word into two of its words: native make-up.
        FinderCase{"ConfirmedSplit", u"ਦੱਸਦਾ", {u"dass", u"dā"}, Verdict::native_affix, u"", ""}),
    [](const testing::TestParamInfo<FinderCase>& info) { return info.param.name; });

}  // namespace
}  // namespace taviro::loanwords
