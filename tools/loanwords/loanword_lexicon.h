// Finds the English loanwords of a Gurmukhi word list and writes them as
// Punjabi speakers say them, from an English pronouncing dictionary.
//
// A Gurmukhi word is read as consonants with the vowels between them; every
// English pronunciation with a fitting consonant skeleton is aligned with it.
// English t and d fit only the retroflex ਟ ਠ ਡ ਢ, as Punjabi writes English
// words, so the dental letters of native words fit nothing English. A
// geminate counts once, and a nasal sign before a consonant counts as a
// consonant. Each vowel the word writes must agree with the English vowel
// there. An inherent "a" goes where English has no vowel; where English has
// an unstressed one, the rules decide, as speakers often drop it (kampnī); a
// stressed vowel before a closing nasal stays (ōlampik); and a final cluster
// that ends in l, m, n or r keeps its vowel, as speakers break it (piksal).
// Where fitting readings disagree, the one whose vowels agree best wins; a
// tie leaves the word to the rules.
//
// It reads no files; the build tool hands it the texts. The letters it
// matches are in letter_tables.h, the word and the pronouncing dictionary are
// read by gurmukhi_reading.h and pronouncing_dictionary.h, and aligner.h lines
// them up.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "pronouncing_dictionary.h"
#include "taviro/dictionary.h"

namespace taviro::loanwords {

struct Loanword {
    std::u16string word;     // Gurmukhi, as the run reads it
    std::u16string roman;    // the lexicon's text
    std::u16string rules;    // what the rules write
    std::string english;     // the English word that decided it
    // The English word again, where typists write the loanword in English in
    // plain letters: where no other English word that fits as well is
    // spelled otherwise (board and bored, list and Liszt); empty otherwise.
    std::string spelling;
    // Where that English word is the plural or past form of another the
    // dictionary has (lutes, scaled), the word without the consonant that
    // writes the ending; empty otherwise.
    std::u16string base;
};

// Why a word of the list is no entry, for the report.
enum class Verdict {
    entry,
    not_parsed,       // signs the reading does not know, or no consonant
    few_consonants,   // too few consonants: too easily a native word
    no_english,       // no English pronunciation fits
    ambiguous,        // fitting readings disagree and none fits best
    native_affix,     // the dictionary confirms a prefix, suffix or split: native make-up
    same_as_rules,    // the rules write it so already
};
inline constexpr std::size_t kVerdicts = 7;
const char* verdict_name(Verdict verdict);

class LoanwordFinder {
public:
    // `cmudict`: the Festival CMU dictionary's text, ("word" pos (((phones)
    // stress) ...)) a line. `english_word_list`: a list of English words, one a
    // line, such as /usr/share/dict/british-english; only their pronunciations
    // are used, since the pronouncing dictionary is mostly rare names, which
    // too often share a skeleton with a native word.
    LoanwordFinder(std::string_view cmudict, std::string_view english_word_list);
    std::size_t pronunciations() const noexcept { return pronunciations_.size(); }

    // The entry for one Gurmukhi word, judged against `native` (the word
    // dictionary, for the rules' form and its confirmations).
    Verdict find(std::u16string_view word, const Dictionary& native, Loanword& entry) const;

private:
    bool inflected(const EnglishPronunciation& english) const;

    std::vector<EnglishPronunciation> pronunciations_;
    // Consonant skeleton -> the pronunciations that have it.
    std::unordered_multimap<std::string, std::size_t> index_;
    // English word -> its pronunciations.
    std::unordered_multimap<std::string, std::size_t> by_word_;
};

}  // namespace taviro::loanwords
