// Schwa deletion: the inherent "a" that speech drops inside a word goes.
//
// Each pass looks for one candidate "a" standing after at least one non-vowel
// that follows the pass's first vowel, and removes it when a vowel follows later,
// at least two non-vowels have been counted, and it does not begin "ai" or "au".
// The next pass starts right after the candidate.

#include "taviro/roman_vowels.h"
#include "taviro/schwa.h"

namespace taviro {
namespace {

constexpr std::size_t kNoCandidate = static_cast<std::size_t>(-1);

// One pass from `start` (0-based). Returns the candidate's index or kNoCandidate,
// and removes the candidate from `word` when the rule allows.
std::size_t delete_one_schwa(std::u16string& word, std::size_t start) {
    enum class Phase { before_first_vowel, after_first_vowel, after_candidate_vowel };
    Phase phase = Phase::before_first_vowel;
    std::size_t non_vowels = 0;
    std::size_t candidate = kNoCandidate;

    for (std::size_t p = start; p < word.size() && phase != Phase::after_candidate_vowel; ++p) {
        const char16_t c = word[p];
        const bool vowel = is_roman_vowel(c);
        if (phase == Phase::before_first_vowel) {
            if (vowel) phase = Phase::after_first_vowel;
        } else if (candidate == kNoCandidate) {
            if (!vowel) ++non_vowels;
            if (non_vowels > 0 && c == u'a') candidate = p;
        } else if (vowel) {
            phase = Phase::after_candidate_vowel;
        } else {
            ++non_vowels;
        }
    }

    if (phase == Phase::after_candidate_vowel && non_vowels >= 2 && is_droppable_a(u'a', word[candidate + 1])) {
        word.erase(candidate, 1);
    }
    return candidate;
}

}  // namespace

std::u16string& Schwa_Del(std::u16string& word) {
    // Positions are 16-bit: the scan of a word this long would step past 32,767.
    if (word.size() >= static_cast<std::size_t>(kMax16)) {
        throw EngineError(EngineError::Kind::overflow, "word too long for schwa deletion");
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t candidate = delete_one_schwa(word, start);
        if (candidate == kNoCandidate) return word;
        start = candidate + 1;
    }
}

}  // namespace taviro
