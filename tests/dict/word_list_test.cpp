#include <gtest/gtest.h>

#include <sstream>

#include "taviro/dict/word_list.h"

namespace taviro {
namespace {

TEST(WordListReader, SkipsCommentsAndBlankLinesAndCountsEveryDrop) {
    std::istringstream list(
        "\xEF\xBB\xBF# my words\n"
        "ਕਮਲ\n"
        "  ਨਯਨ\t\r\n"
        "\n"
        "   # an indented comment\n"
        "ਕਮਲ\n"         // repeats a text
        "ਨ\n"           // no vowel
        "ਕਿ ਕਿ\n"       // a separator
        "੧੨\n"          // not letters only
        "ਪੱx\n"        // addak before an unmapped character
        "ab\xFF\n");    // not UTF-8
    WordListReader reader;
    reader.read(list, "mine.txt");
    EXPECT_EQ(reader.words(), (std::vector<std::u16string>{u"kamal", u"nayan"}));
    const WordListTally& tally = reader.tally();
    EXPECT_EQ(tally.read, 8u);
    EXPECT_EQ(describe(tally, reader.words().size()),
              "8 entries read; dropped 1 holding a separator, 1 without a vowel, 1 not letters only, "
              "1 not transliterable, 0 not Gurmukhi, 1 not UTF-8, 1 repeating a text; 2 words written");
    EXPECT_EQ(reader.notes(), (std::vector<std::string>{"mine.txt:11: not UTF-8 at byte offset 2 (0xFF), left out"}));
}

// A base's rows stay as they are; the lists add only what it lacks, so that a
// text of both is not there twice and the part lookup still finds it once.
TEST(WordListReader, KeepsEachTextOnceAcrossListsAndTheBase) {
    WordListReader reader;
    reader.build_on({u"shām", u"nayan"});
    std::istringstream first("ਕਮਲ\n");
    std::istringstream second("ਕਮਲ\nਨਯਨ\nਪੰਜਾ");
    reader.read(first, "first.txt");
    reader.read(second, "second.txt");
    EXPECT_EQ(reader.words(), (std::vector<std::u16string>{u"kamal", u"pañjā"}));
    EXPECT_EQ(describe(reader.tally(), reader.words().size(), 2),
              "4 entries read; dropped 0 holding a separator, 0 without a vowel, 0 not letters only, "
              "0 not transliterable, 0 not Gurmukhi, 0 not UTF-8, 1 repeating a text, 1 already in the base; "
              "2 words of the base and 2 of the lists written");
}

}  // namespace
}  // namespace taviro
