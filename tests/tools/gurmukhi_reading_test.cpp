// Gurmukhi words read into consonants and what is written between them, as
// the loanword finder lines them up with English.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "gurmukhi_reading.h"
#include "taviro/dict/word_lookup.h"

namespace taviro::loanwords {
namespace {

// The reading in one line: each consonant after what is written before it,
// "·" for an unwritten inherent "a", the vowel letters for written vowels,
// nothing for no vowel; a consonant before a geminate carries the addak.
std::string shown(const Reading& reading) {
    std::string text;
    const auto add_gap = [&](const Gap& gap) {
        if (gap.kind == Gap::Kind::inherent) text += "· ";
        if (gap.kind == Gap::Kind::vowels) text += gap.vowels + " ";
    };
    for (std::size_t i = 0; i < reading.consonants.size(); ++i) {
        add_gap(reading.gaps[i]);
        const Consonant& consonant = reading.consonants[i];
        text += to_utf8(std::u16string(1, consonant.row->letter)) + (consonant.before_addak ? "ੱ " : " ");
    }
    add_gap(reading.gaps.back());
    if (!text.empty()) text.pop_back();
    return text;
}

struct ReadCase {
    const char* name;
    std::u16string_view word;
    std::string reading;
    std::string skeleton;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class GurmukhiReading : public testing::TestWithParam<ReadCase> {};

TEST_P(GurmukhiReading, ReadsConsonantsAndTheVowelsBetweenThem) {
    const std::optional<Reading> reading = read_word(GetParam().word);
    ASSERT_TRUE(reading.has_value());
    EXPECT_EQ(shown(*reading), GetParam().reading);
    EXPECT_EQ(skeleton(*reading), GetParam().skeleton);
    EXPECT_EQ(reading->gaps.size(), reading->consonants.size() + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Words, GurmukhiReading,
    testing::Values(
        ReadCase{"VowelSignAndInherentVowels", u"ਟੈਕਸਟ", "ਟ E ਕ · ਸ · ਟ ·", "tkst"},
        ReadCase{"HalantLeavesNoVowel", u"ਸਕ੍ਰਿਪਟ", "ਸ · ਕ ਰ i ਪ · ਟ ·", "skrpt"},
        // A tippi before a consonant is a nasal consonant with no vowel after it.
        ReadCase{"TippiBeforeAConsonant", u"ਇੰਟਰਨੈਟ", "i ੰ ਟ · ਰ · ਨ E ਟ ·", "NtrNt"},
        // An addak straight after a consonant keeps the vowel before the geminate;
        // after a vowel sign it marks nothing.
        ReadCase{"AddakAfterAConsonant", u"ਕਲੱਬ", "ਕ · ਲੱ · ਬ ·", "klb"},
        ReadCase{"AddakAfterAVowelSign", u"ਗਰੁੱਪ", "ਗ · ਰ u ਪ ·", "grp"},
        // ਵ ਯ ਹ are weak: read, but left out of the skeleton.
        ReadCase{"WeakConsonantsOutOfTheSkeleton", u"ਸਰਵਰ", "ਸ · ਰ · ਵ · ਰ ·", "srr"},
        ReadCase{"IndependentVowelAfterAConsonant", u"ਆਸਟਰੇਲੀਆ", "A ਸ · ਟ · ਰ e ਲ IA", "strl"},
        ReadCase{"CarrierWithItsSign", u"ਕ\u0A72\u0A3F", "ਕ ai", "k"},
        // The dentals fit no English consonant: their key is X.
        ReadCase{"DentalsKeyedAsNative", u"ਪ੍ਰਾਪਤ", "ਪ ਰ A ਪ · ਤ ·", "prpX"}),
    [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

struct UnreadCase {
    const char* name;
    std::u16string_view word;
};

void PrintTo(const UnreadCase& c, std::ostream* os) { *os << c.name; }

class GurmukhiUnread : public testing::TestWithParam<UnreadCase> {};

TEST_P(GurmukhiUnread, LeavesTheWordUnread) { EXPECT_FALSE(read_word(GetParam().word).has_value()); }

INSTANTIATE_TEST_SUITE_P(
    Words, GurmukhiUnread,
    testing::Values(
        // English words end in no nasal vowel; Punjabi plurals and cases do.
        UnreadCase{"EndsInANasalSign", u"ਵਰਤੋਂ"},
        UnreadCase{"EndsInTippi", u"ਕਿਤਾਬਾਂ"},
        UnreadCase{"NoConsonant", u"ਆਈ"},
        UnreadCase{"VisargaIsNoSignItKnows", u"ਦੁਃਖ"},
        UnreadCase{"VowelSignAfterAVowel", u"ਕਾਿ"},
        UnreadCase{"HalantAfterAVowel", u"ਕਾ੍ਰ"},
        // The character rules refuse an addak before a letter with no map row.
        UnreadCase{"RefusedByTheCharacterRules", u"ਕੱ\u0A01"}),
    [](const testing::TestParamInfo<UnreadCase>& info) { return info.param.name; });

}  // namespace
}  // namespace taviro::loanwords
