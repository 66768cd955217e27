#include "gurmukhi_reading.h"

#include "taviro/engine_error.h"
#include "taviro/gurmukhi.h"
#include "taviro/word_builder.h"

namespace taviro::loanwords {
namespace {

// A vowel written after the gap's consonant: a sign replaces the inherent
// "a", a letter follows it.
void add_vowel(Gap& gap, char vowel, bool is_sign) {
    if (gap.kind == Gap::Kind::inherent) {
        gap.vowels = is_sign ? std::string(1, vowel) : std::string("a") + vowel;
    } else {
        gap.vowels += vowel;
    }
    gap.kind = Gap::Kind::vowels;
}

// One unit of the word; false when the reading does not know it there.
bool read_unit(Reading& reading, std::size_t i) {
    const std::u16string& units = reading.units;
    const char16_t unit = units[i];
    Gap& gap = reading.gaps.back();
    const bool after_consonant = gap.kind == Gap::Kind::inherent && gap.vowels.empty();
    if (unit == kTippi) {
        // Before a consonant it is one; elsewhere it only nasalizes a vowel.
        if (i + 1 < units.size() && gurmukhi_consonant(units[i + 1]) != nullptr) {
            reading.consonants.push_back({gurmukhi_consonant(kTippi), i});
            reading.gaps.push_back({});
        }
        return true;
    }
    if (unit == kAddak) {
        if (!reading.consonants.empty() && after_consonant) reading.consonants.back().before_addak = true;
        return true;
    }
    if (const GurmukhiConsonant* row = gurmukhi_consonant(unit)) {
        reading.consonants.push_back({row, i});
        reading.gaps.push_back({Gap::Kind::inherent, {}});
        return true;
    }
    if (unit == kHalant) {
        if (!after_consonant) return false;
        gap.kind = Gap::Kind::nothing;
        return true;
    }
    if (const auto vowel = vowel_of_sign(unit)) {
        if (!after_consonant) return false;
        add_vowel(gap, *vowel, true);
        return true;
    }
    if (const auto vowel = vowel_of_letter(unit)) {
        add_vowel(gap, *vowel, false);
        return true;
    }
    // A carrier is a vowel only with the sign it carries.
    if ((unit == kIriCarrier || unit == kUraCarrier) && i + 1 < units.size()) {
        if (const auto vowel = vowel_of_sign(units[i + 1])) {
            add_vowel(gap, *vowel, false);
            reading.units[i + 1] = 0;  // taken
            return true;
        }
    }
    return unit == 0;
}

}  // namespace

std::optional<Reading> read_word(std::u16string_view word) {
    Reading reading;
    try {
        reading.units = units_as_read(word);
    } catch (const EngineError&) {
        return std::nullopt;
    }
    reading.gaps.push_back({});
    const std::u16string original = reading.units;
    for (std::size_t i = 0; i < reading.units.size(); ++i) {
        if (!read_unit(reading, i)) return std::nullopt;
    }
    reading.units = original;
    if (reading.consonants.empty() || reading.units.back() == kTippi) return std::nullopt;
    return reading;
}

std::string skeleton(const Reading& reading) {
    std::string key;
    for (const Consonant& consonant : reading.consonants) {
        if (!is_weak(consonant.row->key)) key += consonant.row->key;
    }
    return key;
}

}  // namespace taviro::loanwords
