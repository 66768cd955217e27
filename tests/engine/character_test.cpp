#include <gtest/gtest.h>

#include "taviro/character.h"
#include "taviro/engine_error.h"
#include "taviro/gurmukhi.h"

namespace taviro {
namespace {

CharacterState feed(std::u16string_view gurmukhi) {
    CharacterState state;
    for (char16_t c : gurmukhi) add_character(state, c == kBindi ? kTippi : c);
    return state;
}

struct WordCase {
    const char* name;
    std::u16string_view source;
    std::u16string_view word;     // before the space arrives
    std::u16string_view pending;  // before the space arrives
    std::u16string_view ended;    // after the word end at the space
};

void PrintTo(const WordCase& c, std::ostream* os) { *os << c.name; }

class AddCharacter : public testing::TestWithParam<WordCase> {};

TEST_P(AddCharacter, BuildsWordAndPendingPieceThenEndsTheWord) {
    const WordCase& c = GetParam();
    CharacterState state = feed(c.source);
    EXPECT_EQ(state.word, c.word);
    EXPECT_EQ(state.pending, c.pending);
    end_word(state, true);
    EXPECT_EQ(state.word, c.ended);
}

INSTANTIATE_TEST_SUITE_P(
    Words, AddCharacter,
    testing::Values(
        WordCase{"Kamal", u"\u0A15\u0A2E\u0A32", u"kama", u"la", u"kamal"},
        WordCase{"VowelSignReplacesInherentA", u"\u0A15\u0A3F", u"k", u"i", u"ki"},
        WordCase{"AddakDoublesNextConsonant", u"\u0A2A\u0A71\u0A15\u0A3E", u"pakk", u"\u0101", u"pakk\u0101"},
        WordCase{"TippiBecomesDentalNasal", u"\u0A38\u0A70\u0A24", u"san", u"ta", u"sant"},
        WordCase{"BindiBecomesVelarNasal", u"\u0A05\u0A02\u0A17", u"a\u1E45", u"ga", u"a\u1E45g"},
        WordCase{"HalantDropsInherentA", u"\u0A15\u0A4D\u0A30", u"k", u"ra", u"kr"},
        WordCase{"AddakBeforeShaDoublesSh", u"\u0A2A\u0A71\u0A36", u"pash", u"sha", u"pashsh"},
        WordCase{"AddakDoublesFirstLetterOnly", u"\u0A2A\u0A71\u0A59", u"pa\u1E35", u"\u1E35\u1E96a",
                 u"pa\u1E35\u1E35\u1E96"},
        WordCase{"TippiBeforeNonClassLetterStays", u"\u0A38\u0A70\u0A38", u"sa\u1E43", u"sa", u"sa\u1E43s"},
        WordCase{"TippiBeforeVowelLetterStays", u"\u0A38\u0A70\u0A05", u"sa\u1E43", u"a", u"sa\u1E43a"},
        WordCase{"VowelSignAfterVowelLetter", u"\u0A05\u0A3E", u"", u"\u0101", u"\u0101"},
        WordCase{"VowelSignAtStartRemovesNothing", u"\u0A3E\u0A15", u"\u0101", u"ka", u"\u0101k"},
        WordCase{"AddakAtWordEndWritesNothing", u"\u0A15\u0A71", u"ka", u"[Doubles the following character]",
                 u"ka"},
        WordCase{"IriGivesNoConversionMarker", u"\u0A72", u"", u"[No Conversion Available]",
                 u"[No Conversion Available]"},
        WordCase{"VowelSignAfterMarkerEatsItsBracket", u"\u0A72\u0A3F", u"[No Conversion Available", u"i",
                 u"[No Conversion Availablei"},
        WordCase{"UnmappedCharactersPassUnchanged", u"\u0A15\u0A3Cx", u"ka\u0A3C", u"x", u"ka\u0A3Cx"},
        WordCase{"GurmukhiDigitsBecomeAscii", u"\u0A67\u0A69", u"1", u"3", u"13"},
        WordCase{"EkOnkar", u"\u0A74", u"", u"ik-\u014D\u1E45k\u0101r", u"ik-\u014D\u1E45k\u0101r"},
        WordCase{"PrecomposedNuktaLetter", u"\u0A36\u0A39\u0A3F\u0A30", u"shahi", u"ra", u"shahir"}),
    [](const testing::TestParamInfo<WordCase>& info) { return info.param.name; });

TEST(AddCharacter, AddakBeforeUnmappedCharacterFails) {
    CharacterState state = feed(u"\u0A2A\u0A71");
    try {
        add_character(state, u'x');
        FAIL() << "no error";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.kind(), EngineError::Kind::addak_before_unmapped);
    }
}

TEST(AddCharacter, HalantLeavesThePreviousCodePointForTheNextConsonant) {
    // The halant eats the tippi's text but not its effect: the consonant after
    // it still brings in the nasal of its class.
    CharacterState state = feed(u"\u0A38\u0A70\u0A4D");
    EXPECT_EQ(state.previous, kTippi);
    EXPECT_EQ(state.word, u"sa");
    add_character(state, u'\u0A15');
    EXPECT_EQ(state.word, u"sa\u1E45");
}

TEST(WordEnd, DropsOnlyAFinalInherentAAndOnlyWhenAsked) {
    struct Case {
        std::u16string_view source;
        bool drop_final_a;
        std::u16string_view ended;
    };
    for (const Case& c : {Case{u"\u0A15", true, u"k"}, Case{u"\u0A15", false, u"ka"}, Case{u"\u0A05", true, u"a"},
                          Case{u"", true, u""}, Case{u"\u0A15\u0A3E", true, u"k\u0101"}}) {
        CharacterState state = feed(c.source);
        end_word(state, c.drop_final_a);
        EXPECT_EQ(state.word, c.ended);
    }
}

}  // namespace
}  // namespace taviro
