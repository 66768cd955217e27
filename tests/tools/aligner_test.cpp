// Gurmukhi words lined up with one English pronunciation each, and written as
// it says them: words and forms from the build's loanword report.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "aligner.h"
#include "taviro/convert/dictionary_entry.h"
#include "taviro/finish.h"
#include "taviro/memory_dictionary.h"

namespace taviro::loanwords {
namespace {

struct AlignCase {
    const char* name;
    std::u16string_view word;
    Phones phones;  // as the pronouncing dictionary's parser gives them
    std::size_t alignments;
    std::vector<std::u16string> written;  // one per fitting alignment
};

void PrintTo(const AlignCase& c, std::ostream* os) { *os << c.name; }

class Aligner : public testing::TestWithParam<AlignCase> {};

TEST_P(Aligner, WritesTheWordAsThePronunciationSaysIt) {
    const AlignCase& c = GetParam();
    const std::optional<Reading> reading = read_word(c.word);
    ASSERT_TRUE(reading.has_value());
    EXPECT_EQ(alignments(*reading, c.phones).size(), c.alignments);

    const MemoryDictionary no_words;
    const std::u16string rules = finish_word(romanize_word(reading->units), no_words).text;
    std::vector<std::u16string> written;
    for (const WrittenForm& form : written_forms(*reading, c.phones, kept_by_rules(*reading, rules))) {
        written.push_back(form.roman);
    }
    EXPECT_EQ(written, c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Words, Aligner,
    testing::Values(
        // No vowel where English has none (the rules write ṭaiksaṭ).
        AlignCase{"NoVowelWhereEnglishHasNone", u"ਟੈਕਸਟ", {"t", "eh1", "k", "s", "t"}, 1, {u"ṭaiksṭ"}},
        AlignCase{"ClusterAtTheStart", u"ਕਲਰਕ", {"k", "l", "er1", "r", "k"}, 1, {u"klark"}},
        // The rules' neutral vowel moves where English has it (iṇṭranaiṭ).
        AlignCase{"NeutralVowelMoves", u"ਇੰਟਰਨੈਟ", {"ih1", "n", "t", "er", "r", "n", "eh1", "t"}, 1,
                  {u"iṇṭarnaiṭ"}},
        // A geminate follows a said vowel.
        AlignCase{"VowelBeforeAGeminateStays", u"ਕਲੱਬ", {"k", "l", "ah1", "b"}, 1, {u"klabb"}},
        // Speakers break a cluster that begins with s.
        AlignCase{"InitialSClusterBroken", u"ਸਕ੍ਰਿਪਟ", {"s", "k", "r", "ih1", "p", "t"}, 1,
                  {u"sakripṭ"}},
        // An unstressed neutral vowel is left to the rules, no vowel is not:
        // two English words, two forms (the finder leaves the word to the rules).
        AlignCase{"TicketKeepsTheRulesVowel", u"ਟਿਕਟ", {"t", "ih1", "k", "ax", "t"}, 1, {u"ṭikaṭ"}},
        AlignCase{"TickedHasNone", u"ਟਿਕਟ", {"t", "ih1", "k", "t"}, 1, {u"ṭikṭ"}},
        // A geminate follows a said vowel: no English vowel before it, no fit.
        AlignCase{"GeminateAfterNoVowel", u"ਕਲੱਬ", {"k", "ax", "l", "b"}, 1, {}},
        // Lined up, but the written vowel is not the English one.
        AlignCase{"WrittenVowelDisagrees", u"ਗਰੁੱਪ", {"g", "r", "ih1", "p"}, 1, {}},
        // The dental ਤ fits no English consonant.
        AlignCase{"DentalFitsNothing", u"ਪ੍ਰਾਪਤ", {"p", "r", "aa1", "f", "ih", "t"}, 0, {}}),
    [](const testing::TestParamInfo<AlignCase>& info) { return info.param.name; });

}  // namespace
}  // namespace taviro::loanwords
