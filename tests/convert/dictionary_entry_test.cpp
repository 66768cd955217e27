#include "taviro/convert/dictionary_entry.h"

#include <gtest/gtest.h>

#include <string>

namespace taviro {
namespace {

struct EntryCase {
    const char* name;
    std::u16string gurmukhi;
    EntryVerdict verdict;
    std::u16string roman;
};
void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

class RomanizeEntry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(RomanizeEntry, KeepsOnlyWhatCanBeAWord) {
    const DictionaryEntry entry = romanize_entry(GetParam().gurmukhi);
    EXPECT_EQ(entry.verdict, GetParam().verdict);
    EXPECT_EQ(entry.roman, GetParam().roman);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RomanizeEntry,
    ::testing::Values(
        // The final "a" goes as at the end of the input; nothing is finished.
        EntryCase{"WordLosesFinalA", u"ਕਮਲਨਯਨ", EntryVerdict::kept, u"kamalanayan"},
        EntryCase{"BindiIsTippi", u"ਨਵਾਂ", EntryVerdict::kept, u"navāṃ"},
        EntryCase{"DecomposedNuktaComposes", u"ਸ\u0A3Cਾਮ", EntryVerdict::kept, u"shām"},
        EntryCase{"BareConsonantHasNoVowel", u"ਨ", EntryVerdict::no_vowel, u""},
        EntryCase{"ClusterHasNoVowel", u"ਪ੍ਰ", EntryVerdict::no_vowel, u""},
        EntryCase{"EmptyLineHasNoVowel", u"", EntryVerdict::no_vowel, u""},
        EntryCase{"SpaceIsASeparator", u"ਕਿ ਕਿ", EntryVerdict::holds_separator, u""},
        EntryCase{"DandaIsASeparator", u"ਕਿ।", EntryVerdict::holds_separator, u""},
        EntryCase{"DigitsAreNotLetters", u"੧੨", EntryVerdict::not_letters_only, u""},
        EntryCase{"IriWithItsVowelSign", u"ਗੲੀ", EntryVerdict::kept, u"gaī"},
        EntryCase{"BareIriIsASlip", u"ੲਕ", EntryVerdict::not_letters_only, u""},
        EntryCase{"StrayNuktaIsASlip", u"ਕਿ\u0A3C", EntryVerdict::not_letters_only, u""},
        EntryCase{"FinalAddakIsASlip", u"ਦੱ", EntryVerdict::not_letters_only, u""},
        EntryCase{"AddakBeforeUnmapped", u"ਪੱx", EntryVerdict::untransliterable, u""},
        EntryCase{"LatinLettersAreNoGurmukhiWord", u"abc", EntryVerdict::not_gurmukhi, u""}),
    [](const ::testing::TestParamInfo<EntryCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace taviro
