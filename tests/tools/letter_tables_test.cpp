// The two consonant tables agree: a Gurmukhi letter is written only for
// English phones of its own class, so that the skeleton a word is found by
// and the alignment that follows never disagree.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

struct FitCase {
    const char* name;
    char16_t letter;
    std::vector<std::string_view> english;
};

void PrintTo(const FitCase& c, std::ostream* os) { *os << c.name; }

class GurmukhiConsonantFits : public testing::TestWithParam<FitCase> {};

TEST_P(GurmukhiConsonantFits, TheEnglishPhonesPunjabiWritesItFor) {
    const GurmukhiConsonant* row = gurmukhi_consonant(GetParam().letter);
    ASSERT_NE(row, nullptr);
    std::vector<std::string_view> english;
    for (const std::string_view phone : row->english) {
        if (!phone.empty()) english.push_back(phone);
    }
    EXPECT_EQ(english, GetParam().english);
}

// The deliberate deviations of the tables, one row each.
INSTANTIATE_TEST_SUITE_P(
    Deviations, GurmukhiConsonantFits,
    testing::Values(FitCase{"RetroflexTIsEnglishT", u'\u0A1F', {"t"}},    // ਟ
                    FitCase{"DentalTFitsNothing", u'\u0A24', {}},         // ਤ
                    FitCase{"DentalDFitsNothing", u'\u0A26', {}},         // ਦ
                    FitCase{"AspirateFitsNothing", u'\u0A2D', {}},        // ਭ
                    FitCase{"PhaIsFNeverP", u'\u0A2B', {"f"}},            // ਫ
                    FitCase{"JaIsJhOnly", u'\u0A1C', {"jh"}},             // ਜ
                    FitCase{"ZaIsZZhAndJh", u'\u0A5B', {"z", "zh", "jh"}},  // ਜ਼
                    FitCase{"SaIsSAndSh", u'\u0A38', {"s", "sh"}},        // ਸ
                    FitCase{"ShaIsShOnly", u'\u0A36', {"sh"}},            // ਸ਼
                    FitCase{"VaIsVAndW", u'\u0A35', {"v", "w"}},          // ਵ
                    FitCase{"TippiIsANasal", kTippi, {"m", "n", "ng"}}),
    [](const testing::TestParamInfo<FitCase>& info) { return info.param.name; });

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
