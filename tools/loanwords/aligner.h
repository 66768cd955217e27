// Lines a Gurmukhi reading up with one English pronunciation, consonant by
// consonant, and writes the word as the pronunciation says it.
//
// An inherent "a" goes where English has no vowel; where English has an
// unstressed one, the rules decide, as speakers often drop it (kampnī); a
// stressed vowel before a closing nasal stays (ōlampik); a final cluster that
// ends in l, m, n or r keeps its vowel, as does an s that begins the word
// (piksal, sakūl). Each vowel the word writes must agree with the English
// vowel there, and the better they agree, the higher the score.
//
// It does not choose among pronunciations or judge the word; the finder does.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "gurmukhi_reading.h"

namespace taviro::loanwords {

using Phones = std::vector<std::string>;

// Every way `phones` fall onto the consonants of `reading`, as the English
// of each gap (gaps[i] before consonant i, one more at the end). A long run of
// glides gives many that say nothing new, so there are at most 16.
std::vector<std::vector<Phones>> alignments(const Reading& reading, const Phones& phones);

// Which inherent "a"s, one per consonant, the rules keep in `rules`, the text
// they write for the word. The rules only take "a"s out of the romanized
// word, so the two texts side by side tell which went.
std::vector<bool> kept_by_rules(const Reading& reading, std::u16string_view rules);

// The word written as one alignment says it.
struct WrittenForm {
    std::u16string roman;
    int score;  // how well the written vowels agree with the English ones
};

// The word written as `phones` say it, one form per alignment that fits.
// `rules_keep` is kept_by_rules() of the word.
std::vector<WrittenForm> written_forms(const Reading& reading, const Phones& phones,
                                       const std::vector<bool>& rules_keep);

}  // namespace taviro::loanwords
