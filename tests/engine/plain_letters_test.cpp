// Plain letters of a finished word's marked text: the letters and the few
// rules that typists' spellings chose, a lexicon's entry folded letter by
// letter, and nothing but ASCII written.

#include "taviro/plain_letters.h"

#include <gtest/gtest.h>

#include <string>

namespace taviro {
namespace {

struct PlainCase {
    const char* name;
    std::u16string_view marked;
    std::u16string_view plain;
};
void PrintTo(const PlainCase& c, std::ostream* os) { *os << c.name; }

class PlainLettersOfAWord : public testing::TestWithParam<PlainCase> {};

TEST_P(PlainLettersOfAWord, AreTheWordAsItIsTyped) { EXPECT_EQ(plain_letters(GetParam().marked), GetParam().plain); }

INSTANTIATE_TEST_SUITE_P(
    Words, PlainLettersOfAWord,
    testing::Values(PlainCase{"LongVowelsShort", u"bh\u0101rt\u012B", u"bharti"},
                    PlainCase{"LongVowelOfAClosedSyllableDoubled", u"r\u016Bp", u"roop"},
                    PlainCase{"AaBeginningAWord", u"\u0101p\u1E47\u0113", u"aapne"},
                    PlainCase{"TypedSchwaDropped", u"akabar", u"akbar"},
                    PlainCase{"GeminateBeforeItsAspirateOnce", u"vakkh", u"vakh"},
                    PlainCase{"DoubledCAsOneCh", u"vicc", u"vich"},
                    PlainCase{"OtherGeminatesStay", u"pakk\u0101", u"pakka"},
                    PlainCase{"NasalMarkAfterUuAtTheEnd", u"n\u016B\u1E43", u"nu"},
                    PlainCase{"NasalMarkOtherwiseN", u"j\u0101\u1E43", u"jan"},
                    PlainCase{"NuktaLetters", u"\u1E35\u1E96abar", u"khabar"},
                    PlainCase{"ShortVowelBeforeH", u"ih", u"eh"},
                    PlainCase{"EeAfterAVowel", u"ga\u0113", u"gaye"},
                    PlainCase{"WalaWithAW", u"gharv\u0101l\u012B", u"gharwali"},
                    PlainCase{"WalAloneKeepsItsV", u"v\u0101l", u"vaal"}),
    [](const testing::TestParamInfo<PlainCase>& info) { return std::string(info.param.name); });

TEST(PlainLettersOfAText, FoldALexiconsEntryLetterByLetterAndLeaveNothingButAscii) {
    // An entry, or English in the text, says where its vowels go: only its marked letters change.
    EXPECT_EQ(plain_letters(u"\u1E6Daiks\u1E6D", true), u"taikst");
    EXPECT_EQ(plain_letters(u"Jalandhar chai", true), u"Jalandhar chai");
    // Typographic punctuation, spaces and Latin-1 letters have ASCII texts; the rest is "?".
    EXPECT_EQ(plain_letters(u"\u201Cna\u00EFve\u201D \u2013 caf\u00E9\u2026\u00A0\u0628\u200B", true),
              u"\"naive\" - cafe... ?");
    EXPECT_EQ(scheme_named("ASCII"), Scheme::ascii);
    EXPECT_EQ(scheme_named("plain"), std::nullopt);
    EXPECT_EQ(unknown_scheme("'plain'", "--scheme"), "unknown scheme 'plain' for --scheme (marks, ascii)");
}

}  // namespace
}  // namespace taviro
