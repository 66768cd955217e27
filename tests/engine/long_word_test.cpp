// The longest words the 16-bit limits allow, in the shapes that make schwa
// deletion and the split search work hardest: they finish, and one unit more
// is the overflow error, never a crash or a hang.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "taviro/engine_error.h"
#include "taviro/finish.h"
#include "taviro/memory_dictionary.h"

namespace taviro {
namespace {

constexpr std::size_t kLongestWord = kMax16 - 1;

// "kaka…": every other letter an inherent "a", so that schwa deletion finds a
// candidate in every pass and the split search a syllable every two letters.
std::u16string alternating(std::size_t length) {
    std::u16string word;
    while (word.size() < length) word += word.size() % 2 == 0 ? u'k' : u'a';
    return word;
}

struct LongWordCase {
    const char* name;
    std::u16string word;
    std::vector<std::u16string> dictionary;
};
void PrintTo(const LongWordCase& c, std::ostream* os) { *os << c.name; }

class LongestWord : public ::testing::TestWithParam<LongWordCase> {};

TEST_P(LongestWord, FinishesNoLongerThanItWas) {
    const LongWordCase& long_word = GetParam();
    const MemoryDictionary dictionary(long_word.dictionary);
    const FinishedWord finished = finish_word(long_word.word, dictionary);
    EXPECT_FALSE(finished.text.empty());
    EXPECT_LE(finished.text.size(), long_word.word.size());
}

TEST_P(LongestWord, OneUnitMoreOverflows) {
    const LongWordCase& long_word = GetParam();
    const MemoryDictionary dictionary(long_word.dictionary);
    try {
        finish_word(long_word.word + u"k", dictionary);
        FAIL() << "no error";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.kind(), EngineError::Kind::overflow);
    }
}

// Asks the words it wraps, and remembers the longest text it was asked for.
// Without the longest row it stands for the literal search, which asks all.
class AskingDictionary final : public Dictionary {
public:
    AskingDictionary(const MemoryDictionary& words, bool tells_longest_row)
        : words_(words), tells_longest_row_(tells_longest_row) {}
    std::size_t count(std::u16string_view text) const override {
        longest_asked = std::max(longest_asked, text.size());
        return words_.count(text);
    }
    std::size_t longest_row() const noexcept override {
        return tells_longest_row_ ? words_.longest_row() : Dictionary::longest_row();
    }
    mutable std::size_t longest_asked = 0;

private:
    const MemoryDictionary& words_;
    bool tells_longest_row_;
};

// Before: the split search looked up every ever longer head and tail, 0.3 s a word.
TEST_P(LongestWord, AsksNoTextLongerThanARowAndFinishesAsTheLiteralSearch) {
    const LongWordCase& long_word = GetParam();
    const std::u16string word = long_word.word.substr(0, 3001);
    const MemoryDictionary words(long_word.dictionary);
    const AskingDictionary bounded(words, true);
    const AskingDictionary literal(words, false);
    EXPECT_EQ(finish_word(word, bounded).text, finish_word(word, literal).text);
    EXPECT_LE(bounded.longest_asked, words.longest_row());
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, LongestWord,
    ::testing::Values(LongWordCase{"EveryOtherLetterAnA", alternating(kLongestWord), {}},
                      // Every head the split search builds is a word, so it asks
                      // for a tail after every syllable.
                      LongWordCase{"EveryHeadIsAWord", alternating(kLongestWord), {u"ka", u"k", u"kak"}},
                      LongWordCase{"LongVowels", std::u16string(kLongestWord, u'\u0101'), {u"\u0101"}},
                      LongWordCase{"NoVowels", std::u16string(kLongestWord, u'k'), {}}),
    [](const ::testing::TestParamInfo<LongWordCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace taviro
