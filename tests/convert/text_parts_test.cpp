// A paragraph that markup cuts into parts: converted as one text, given back
// in as many parts.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "taviro/convert/text_conversion.h"
#include "taviro/convert/text_parts.h"

namespace taviro {
namespace {

TEST(TextParts, ConvertTheWholeTextAndGiveEachPartItsOwnPlace) {
    const MemoryDictionary dictionary;
    struct Case {
        const char* name;
        std::vector<std::u16string_view> parts;
        std::vector<std::u16string> roman;
    };
    const Case cases[] = {
        {"a word cut by markup is the whole word, its letters kept apart", {u"ਪੰਜਾ", u"ਬੀ"}, {u"pañjā", u"bī"}},
        {"the inherent a of a cut goes to the part after it", {u"ਕਮ", u"ਲ ਪੱਕਾ"}, {u"kam", u"al pakkā"}},
        {"a cut between words keeps each word in its part", {u"ਕਮਲ, ", u"ਪੱਕਾ", u"।"}, {u"kamal, ", u"pakkā", u"."}},
        {"English and emoji stand as they are", {u"banana ", u"ਕਮਲ😀", u" ok"}, {u"banana ", u"kamal😀", u" ok"}},
        {"empty parts stay empty", {u"", u"ਕਮਲ", u""}, {u"", u"kamal", u""}},
        {"a line end of two units is written where it began", {u"ਕ\r", u"\nਕ"}, {u"ka\n", u"ka"}},
        {"a word in three parts", {u"ਸ", u"ਮ", u"ਝ"}, {u"sa", u"m", u"ajh"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const std::vector<std::u16string> roman = convert_text_in_parts(test.parts, dictionary);
        EXPECT_EQ(roman, test.roman);
        std::u16string joined;
        for (std::u16string_view part : test.parts) joined += part;
        std::u16string roman_joined;
        for (const std::u16string& part : roman) roman_joined += part;
        EXPECT_EQ(roman_joined, convert_text(joined, dictionary));
    }
}

}  // namespace
}  // namespace taviro
