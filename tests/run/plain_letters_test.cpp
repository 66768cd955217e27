// Plain letters through the shipped dictionary: words as Punjabis type them,
// a lexicon's entry folded letter by letter, and nothing but ASCII written.

#include "taviro/plain_letters.h"

#include <gtest/gtest.h>

#include <string>

#include "taviro/convert/text_conversion.h"
#include "taviro/run/word_store.h"

namespace taviro {
namespace {

struct PlainCase {
    const char* name;
    std::u16string_view gurmukhi;
    std::u16string_view plain;
};
void PrintTo(const PlainCase& c, std::ostream* os) { *os << c.name; }

class PlainLetters : public testing::TestWithParam<PlainCase> {
protected:
    static const WordStore& words() {
        static const WordStore store(TAVIRO_WORDS_MDB, WordStoreOptions{.scheme = Scheme::ascii});
        return store;
    }
};

TEST_P(PlainLetters, WriteTheWordAsItIsTyped) {
    EXPECT_EQ(convert_text(GetParam().gurmukhi, words()), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Words, PlainLetters,
    testing::Values(PlainCase{"SpokenFormAndLongVowels", u"ਭਾਰਤੀ ਪੰਜਾਬੀ", u"bharti panjabi"},
                    PlainCase{"LongVowelOfAClosedSyllable", u"ਨਾਲ ਦਾ ਰੂਪ ਤੀਰ ਆਪਣੇ", u"naal da roop teer aapne"},
                    PlainCase{"TypedSchwaDropped", u"ਅਕਬਰ ਸੜਕ", u"akbar sadak"},
                    PlainCase{"GeminatesBeforeTheirAspirateOnce", u"ਪੱਕਾ ਡੱਬਾ ਵਿੱਚ ਵੱਖ ਛੱਤ", u"pakka dabba vich vakh chhatt"},
                    PlainCase{"TippiAndBindi", u"ਨੂੰ ਸੰਬੰਧ ਕੰਮ ਜਾਂ “ਹਾਂ”", u"nu sambandh kamm jan “han”"},
                    PlainCase{"AddakAssertsItsA", u"ਤਰੱਕੀ", u"tarakki"},
                    PlainCase{"NuktaLetters", u"ਖ਼ਬਰ ਜ਼ਮੀਨ ਫ਼ਿਲਮ ਸ਼ਹਿਰ", u"khabar zamin filam shahir"},
                    PlainCase{"ShortVowelBeforeH", u"ਇਹ ਉਹ ਗਏ", u"eh oh gaye"},
                    PlainCase{"WalaWithAW", u"ਕਰਨ ਵਾਲੇ ਘਰਵਾਲੀ ਕੱਵਾਲੀ ਵਾਲ", u"karan wale gharwali kawwali vaal"},
                    // Text fits taxed as well, board bored; the rules write computer as said.
                    PlainCase{"LoanwordsInTheirEnglishSpelling", u"ਟੈਸਟ ਟੈਕਸਟ ਬੋਰਡ ਕੰਪਿਊਟਰ", u"test taikst bord kampiutar"},
                    PlainCase{"MendedSlipsAndDoubleDanda", u"ੲਿਹ ਕ॥", u"eh ka.."},
                    PlainCase{"EnglishInTheTextAsWritten", u"Facebook ਤੇ", u"Facebook te"},
                    // Before: "??" for one emoji. Text around the words stands as written.
                    PlainCase{"EmojiStandsWhole", u"ਕਮਲ🎉 🎉", u"kamal🎉 🎉"}),
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
