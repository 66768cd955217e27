#include "pronouncing_dictionary.h"

#include <algorithm>
#include <cstddef>
#include <sstream>

#include "letter_tables.h"

namespace taviro::loanwords {
namespace {

// The phones of the syllables "((p h o n e s) STRESS) ...", the vowels of
// stressed syllables marked. The dictionary writes the vowel of "bird" as er
// alone; it is taken as its vowel and an r, since Gurmukhi writes the r.
std::vector<std::string> split_phones(std::string_view syllables) {
    std::vector<std::string> phones;
    std::size_t open = 0;
    while ((open = syllables.find("((", open)) != std::string_view::npos) {
        const std::size_t close = syllables.find(')', open);
        if (close == std::string_view::npos || close + 2 >= syllables.size()) break;
        const bool stressed = syllables[close + 2] != '0';
        std::istringstream names{std::string(syllables.substr(open + 2, close - open - 2))};
        std::string phone;
        while (names >> phone) {
            const bool vowel = english_consonant(phone) == nullptr;
            phones.push_back(vowel && stressed ? phone + kStressed : phone);
            if (phone == "er") phones.emplace_back("r");
        }
        open = close;
    }
    return phones;
}

void add_skeletons(const std::vector<std::string>& phones, std::size_t from, std::string key,
                   std::vector<std::string>& keys) {
    for (std::size_t i = from; i < phones.size(); ++i) {
        const EnglishConsonant* consonant = english_consonant(phones[i]);
        if (consonant == nullptr || is_weak(consonant->key)) continue;
        key += consonant->key;
        if (phones[i] == "ng") add_skeletons(phones, i + 1, key + 'g', keys);
    }
    keys.push_back(key);
}

}  // namespace

std::optional<EnglishPronunciation> parse_pronunciation(std::string_view line) {
    if (!line.starts_with("(\"")) return std::nullopt;
    const std::size_t end = line.find('"', 2);
    if (end == std::string_view::npos) return std::nullopt;
    EnglishPronunciation pronunciation;
    pronunciation.word = std::string(line.substr(2, end - 2));
    if (pronunciation.word.empty() ||
        !std::ranges::all_of(pronunciation.word, [](char letter) { return letter >= 'a' && letter <= 'z'; })) {
        return std::nullopt;
    }
    const std::size_t phones = line.find("(((", end);
    if (phones == std::string_view::npos) return std::nullopt;
    pronunciation.phones = split_phones(line.substr(phones + 1));
    if (pronunciation.phones.empty()) return std::nullopt;
    return pronunciation;
}

std::unordered_set<std::string> english_words(std::string_view list) {
    std::unordered_set<std::string> words;
    std::istringstream lines{std::string(list)};
    std::string word;
    while (std::getline(lines, word)) {
        if (!word.empty() && word.front() >= 'A' && word.front() <= 'Z') {
            word.front() = static_cast<char>(word.front() - 'A' + 'a');
        }
        words.insert(word);
    }
    return words;
}

std::vector<std::string> english_skeletons(const std::vector<std::string>& phones) {
    std::vector<std::string> keys;
    add_skeletons(phones, 0, {}, keys);
    return keys;
}

}  // namespace taviro::loanwords
