// The two consonant tables agree: a Gurmukhi letter is written only for
// English phones of its own class, so that the skeleton a word is found by
// and the alignment that follows never disagree.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "letter_tables.h"
#include "taviro/gurmukhi.h"

namespace taviro::loanwords {
namespace {

TEST(LetterTables, EveryGurmukhiConsonantFitsOnlyPhonesOfItsClass) {
    std::size_t consonants = 0;
    for (char16_t letter = kGurmukhiBlockStart; in_gurmukhi_block(letter); ++letter) {
        const GurmukhiConsonant* row = gurmukhi_consonant(letter);
        if (row == nullptr) continue;
        ++consonants;
        SCOPED_TRACE(static_cast<int>(letter));
        EXPECT_EQ(row->letter, letter);
        for (const std::string_view phone : row->english) {
            if (phone.empty()) continue;
            EXPECT_NE(row->key, kNoEnglish);
            const EnglishConsonant* english = english_consonant(phone);
            ASSERT_NE(english, nullptr) << phone;
            EXPECT_EQ(english->key, row->key) << phone;
        }
    }
    EXPECT_EQ(consonants, 39u);  // the 38 letters and the tippi
}

struct PhoneCase {
    std::string_view phone;
    bool consonant;
    bool vowel;
};

void PrintTo(const PhoneCase& c, std::ostream* os) { *os << c.phone; }

class EnglishPhone : public testing::TestWithParam<PhoneCase> {};

TEST_P(EnglishPhone, IsAConsonantOrAVowelStressedOrNot) {
    const PhoneCase& c = GetParam();
    EXPECT_EQ(english_consonant(c.phone) != nullptr, c.consonant);
    EXPECT_EQ(english_vowel(c.phone) != nullptr, c.vowel);
    EXPECT_EQ(english_vowel(std::string(c.phone) + kStressed) != nullptr, c.vowel);
}

// y, w and hh are consonants that may also stand in a vowel's place.
INSTANTIATE_TEST_SUITE_P(Phones, EnglishPhone,
                         testing::Values(PhoneCase{"t", true, false}, PhoneCase{"dh", true, false},
                                         PhoneCase{"ax", false, true}, PhoneCase{"er", false, true},
                                         PhoneCase{"y", true, true}, PhoneCase{"w", true, true},
                                         PhoneCase{"hh", true, true}, PhoneCase{"q", false, false}),
                         [](const testing::TestParamInfo<PhoneCase>& info) { return std::string(info.param.phone); });

TEST(LetterTables, VowelLettersOfSignsAndIndependentVowels) {
    EXPECT_EQ(vowel_of_sign(u'\u0A48'), 'E');    // ੈ
    EXPECT_EQ(vowel_of_letter(u'\u0A10'), 'E');  // ਐ
    EXPECT_EQ(vowel_of_letter(u'\u0A05'), 'a');  // ਅ
    EXPECT_EQ(vowel_of_sign(u'\u0A05'), std::nullopt);
    EXPECT_EQ(vowel_of_sign(kHalant), std::nullopt);
}

}  // namespace
}  // namespace taviro::loanwords
