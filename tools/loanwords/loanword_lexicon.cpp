// The finder: which English word, if any, a Gurmukhi word of the list is, and
// whether its entry would say anything the rules do not. The letters, the
// two readers and the aligner it judges with are each in their own file.

#include "loanword_lexicon.h"

#include <algorithm>
#include <array>
#include <optional>
#include <sstream>
#include <unordered_set>

#include "aligner.h"
#include "gurmukhi_reading.h"
#include "pronouncing_dictionary.h"
#include "taviro/convert/dictionary_entry.h"
#include "taviro/finish.h"

namespace taviro::loanwords {
namespace {

// Fewer consonants than this and too many native words share a skeleton with
// some English word.
constexpr std::size_t kMinConsonants = 3;
// A word of that few consonants (ਯ ਵ ਹ counted) must also show a sign that
// Punjabi writes English words with, far more than native ones: a retroflex t
// or d, the vowel ੈ or ਐ (English a and e), or a geminate (English double
// letters). Without it, words like ਗਰੀਬ or ਕਬਜ਼ fit common English words
// (grebe, cubs).
constexpr std::size_t kMarkedConsonants = 3;
constexpr std::u16string_view kEnglishMarks = u"\u0A1F\u0A21\u0A48\u0A10\u0A71";

}  // namespace

const char* verdict_name(Verdict verdict) {
    constexpr std::array<const char*, kVerdicts> kNames{
        "entries",
        "not read: signs the reading does not know, or no consonant",
        "fewer than 3 consonants, or 3 without a sign of English spelling",
        "no English pronunciation fits",
        "readings disagree, none fits best",
        "3 consonants, and the dictionary confirms a native prefix, suffix or split",
        "the rules write it so already",
    };
    return kNames[static_cast<std::size_t>(verdict)];
}

LoanwordFinder::LoanwordFinder(std::string_view cmudict, std::string_view english_word_list) {
    const std::unordered_set<std::string> known = english_words(english_word_list);
    std::istringstream lines{std::string(cmudict)};
    std::string line;
    while (std::getline(lines, line)) {
        std::optional<EnglishPronunciation> pronunciation = parse_pronunciation(line);
        if (!pronunciation || !known.contains(pronunciation->word)) continue;
        for (const std::string& key : english_skeletons(pronunciation->phones)) {
            index_.emplace(key, pronunciations_.size());
        }
        by_word_.emplace(pronunciation->word, pronunciations_.size());
        pronunciations_.push_back(std::move(*pronunciation));
    }
}

// A plural in -s or a past form in -d or -ed whose ending is one phone after
// the base's own pronunciation (lutes, caps, scaled), not a word that only
// ends so (process).
bool LoanwordFinder::inflected(const EnglishPronunciation& english) const {
    const std::vector<std::string>& phones = english.phones;
    const std::string_view word = english.word;
    if (phones.empty()) return false;
    const std::string& ending = phones.back();
    std::vector<std::string_view> bases;
    if ((ending == "s" || ending == "z") && word.ends_with('s')) {
        bases = {word.substr(0, word.size() - 1)};
    } else if ((ending == "t" || ending == "d") && word.ends_with("ed")) {
        bases = {word.substr(0, word.size() - 1), word.substr(0, word.size() - 2)};
    }
    const std::vector<std::string> base_phones(phones.begin(), phones.end() - 1);
    return std::ranges::any_of(bases, [&](std::string_view base) {
        const auto [first, last] = by_word_.equal_range(std::string(base));
        return std::any_of(first, last, [&](const auto& found) {
            return pronunciations_[found.second].phones == base_phones;
        });
    });
}

Verdict LoanwordFinder::find(std::u16string_view word, const Dictionary& native, Loanword& entry) const {
    const std::optional<Reading> reading = read_word(word);
    if (!reading) return Verdict::not_parsed;
    const std::string key = skeleton(*reading);
    const std::size_t consonants = reading->consonants.size();
    const bool marked = reading->units.find_first_of(kEnglishMarks) != std::u16string::npos;
    if (key.size() < kMinConsonants || (consonants <= kMarkedConsonants && !marked)) return Verdict::few_consonants;

    const FinishedWord rules = finish_word(romanize_word(reading->units), native);
    // A short word the dictionary takes apart is native make-up; a long one
    // is often an English word that happens to split (prō + garām).
    if ((rules.prefix || rules.suffix || rules.split) && consonants <= kMarkedConsonants) return Verdict::native_affix;
    const std::vector<bool> rules_keep = kept_by_rules(*reading, rules.text);

    struct Candidate {
        std::u16string roman;
        int score;
        std::size_t pronunciation;
    };
    std::vector<Candidate> candidates;
    const auto [first, last] = index_.equal_range(key);
    for (auto it = first; it != last; ++it) {
        const EnglishPronunciation& pronunciation = pronunciations_[it->second];
        for (WrittenForm& form : written_forms(*reading, pronunciation.phones, rules_keep)) {
            candidates.push_back({std::move(form.roman), form.score, it->second});
        }
    }
    if (candidates.empty()) return Verdict::no_english;
    std::ranges::stable_sort(candidates, std::ranges::greater{}, &Candidate::score);
    const auto rival = std::ranges::find_if(candidates, [&](const Candidate& candidate) {
        return candidate.score == candidates.front().score && candidate.roman != candidates.front().roman;
    });
    if (rival != candidates.end()) return Verdict::ambiguous;

    if (rules.text == candidates.front().roman) return Verdict::same_as_rules;
    const EnglishPronunciation& english = pronunciations_[candidates.front().pronunciation];
    const bool homophone = std::ranges::any_of(candidates, [&](const Candidate& candidate) {
        return candidate.score == candidates.front().score && pronunciations_[candidate.pronunciation].word != english.word;
    });
    entry = {reading->units, candidates.front().roman, rules.text, english.word, homophone ? "" : english.word, {}};
    // The ending is the word's last consonant: it ends in none of the vowels
    // an English ending in s, z, t or d could fit.
    if (inflected(english)) entry.base = reading->units.substr(0, reading->consonants.back().at);
    return Verdict::entry;
}

}  // namespace taviro::loanwords
