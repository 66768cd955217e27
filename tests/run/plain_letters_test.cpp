// Plain letters through the shipped dictionary: the spoken forms its pieces
// give, its loanwords' English spellings, mended slips and the text around
// words, as Punjabis type them. The letters' own rules are the engine's tests.

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
                    PlainCase{"GeminatesBeforeTheirAspirateOnce", u"ਪੱਕਾ ਡੱਬਾ ਵਿੱਚ ਵੱਖ ਛੱਤ", u"pakka dabba vich vakh chhatt"},
                    PlainCase{"TippiAndBindi", u"ਨੂੰ ਸੰਬੰਧ ਕੰਮ ਜਾਂ “ਹਾਂ”", u"nu sambandh kamm jan “han”"},
                    PlainCase{"AddakAssertsItsA", u"ਤਰੱਕੀ", u"tarakki"},
                    // Text fits taxed as well, board bored; the rules write computer as said.
                    PlainCase{"LoanwordsInTheirEnglishSpelling", u"ਟੈਸਟ ਟੈਕਸਟ ਬੋਰਡ ਕੰਪਿਊਟਰ", u"test taikst bord kampiutar"},
                    PlainCase{"MendedSlipsAndDoubleDanda", u"ੲਿਹ ਕ॥", u"eh ka.."},
                    PlainCase{"EnglishInTheTextAsWritten", u"Facebook ਤੇ", u"Facebook te"},
                    // Before: "??" for one emoji. Text around the words stands as written.
                    PlainCase{"EmojiStandsWhole", u"ਕਮਲ🎉 🎉", u"kamal🎉 🎉"}),
    [](const testing::TestParamInfo<PlainCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace taviro
