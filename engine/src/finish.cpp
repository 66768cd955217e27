// Word finishing: the dictionary decides where schwa deletion may work. A known
// prefix or suffix is kept only when the dictionary confirms the rest of the
// word; failing both, a compound may split into two dictionary words. The stem,
// or each part, then goes through schwa deletion, and the inherent "a" at a
// confirmed junction is dropped.

#include <algorithm>
#include <optional>

#include "taviro/finish.h"
#include "taviro/roman_vowels.h"
#include "taviro/schwa.h"
#include "taviro/tables.h"

namespace taviro {
namespace {

// The vowel directly after a prefix that joins it to the stem.
constexpr std::u16string_view kJoiningVowels = u"\u0101e\u0113i\u012B\u014Du\u016B";
// Vowels that close a syllable of a split head ("ai" and "au" end in one).
constexpr std::u16string_view kSyllableEndVowels = u"\u0101\u0113\u012B\u014D\u016Biu";

bool is_joining_vowel(char16_t c) { return kJoiningVowels.find(c) != std::u16string_view::npos; }

bool ends_with_syllable_end_vowel(std::u16string_view text) {
    return !text.empty() && kSyllableEndVowels.find(text.back()) != std::u16string_view::npos;
}

bool begins_with_digit(std::u16string_view word) { return !word.empty() && word[0] >= u'0' && word[0] <= u'9'; }

void check_16_bit(std::size_t value, const char* what) {
    if (value > static_cast<std::size_t>(kMax16)) throw EngineError(EngineError::Kind::overflow, what);
}

// The rest of the word after a prefix, when the dictionary knows it.
struct PrefixMatch {
    std::u16string_view prefix;
    std::u16string joining_vowel;
    std::u16string stem;
};

std::optional<PrefixMatch> confirm_prefix(std::u16string_view word, const Dictionary& dictionary) {
    const std::size_t index = find_prefix(word);
    if (index == kPrefixCount) return std::nullopt;
    PrefixMatch match{prefix_list()[index], {}, {}};
    std::size_t rest = match.prefix.size();
    if (rest < word.size() && is_joining_vowel(word[rest])) match.joining_vowel.assign(1, word[rest++]);
    std::u16string_view stem = word.substr(std::min(rest, word.size()));
    if (!stem.empty() && is_droppable_a(stem[0], stem.size() > 1 ? stem[1] : u'\0')) stem.remove_prefix(1);
    if (!dictionary.stem_lookup(stem)) return std::nullopt;
    match.stem.assign(stem);
    return match;
}

// The word before a suffix, when the dictionary knows it.
struct SuffixMatch {
    std::u16string_view suffix;
    std::u16string stem;
};

std::optional<SuffixMatch> confirm_suffix(std::u16string_view word, const Dictionary& dictionary) {
    const std::size_t index = find_suffix(word);
    if (index == kSuffixCount) return std::nullopt;
    const std::u16string_view suffix = suffix_list()[index];
    std::u16string_view stem = word.substr(0, word.size() - suffix.size());
    if (!stem.empty() && is_droppable_a(stem.back(), suffix[0])) stem.remove_suffix(1);
    if (!dictionary.stem_lookup(stem)) return std::nullopt;
    return SuffixMatch{suffix, std::u16string(stem)};
}

// Looks for a head of the word that the dictionary holds exactly once. Heads
// grow a syllable at a time; a head that is no word takes its inherent "a" and
// grows on. Positions are 1-based, as the rule counts them: at(k) is the k-th
// letter of the word. Returns the two parts, schwas deleted, or nothing.
class SplitSearch {
public:
    SplitSearch(std::u16string_view word, const Dictionary& dictionary) : word_(word), dictionary_(dictionary) {
        check_16_bit(word.size(), "word too long for the split search");
    }

    struct Parts {
        std::u16string text;
        std::size_t first_size;
    };

    std::optional<Parts> run() {
        std::size_t split_position = 1;
        for (;;) {
            const std::optional<std::size_t> cursor = scan(split_position);
            if (!cursor || *cursor + 1 >= n()) return std::nullopt;

            std::u16string_view tail = word_.substr(std::min(head_.size(), n()));
            if (!tail.empty() && !ends_with_syllable_end_vowel(head_) &&
                is_droppable_a(tail[0], tail.size() > 1 ? tail[1] : u'\0')) {
                tail.remove_prefix(1);
            }
            if (dictionary_.part_lookup(tail)) {
                std::u16string tail_text(tail);
                Schwa_Del(head_);
                const std::size_t first_size = head_.size();
                return Parts{head_ + Schwa_Del(tail_text), first_size};
            }
            if (!ends_with_syllable_end_vowel(head_) || (!tail.empty() && tail[0] == u'a')) head_ += u'a';
            check_16_bit(head_.size() + 1, "split position past the 16-bit limit");
            split_position = head_.size() + 1;
        }
    }

private:
    std::size_t n() const { return word_.size(); }
    char16_t at(std::size_t k) const { return k >= 1 && k <= n() ? word_[k - 1] : u'\0'; }

    std::optional<std::size_t> scan(std::size_t k) {
        while (k + 1 <= n()) {
            head_ += at(k);
            // Take letters up to the syllable's vowel, stopping before an inherent "a".
            while (!ends_with_syllable_end_vowel(head_)) {
                ++k;
                if (at(k) == u'a' || k + 1 >= n()) break;
                head_ += at(k);
            }
            if (dictionary_.part_lookup(head_)) return k;
            if (!ends_with_syllable_end_vowel(head_) || at(head_.size() + 1) == u'a') head_ += u'a';
            ++k;
        }
        return std::nullopt;
    }

    std::u16string_view word_;
    const Dictionary& dictionary_;
    std::u16string head_;  // not emptied between scans: each scan extends the last head
};

}  // namespace

FinishedWord finish_word(std::u16string word, const Dictionary& dictionary) {
    FinishedWord finished;

    const std::optional<PrefixMatch> prefix = confirm_prefix(word, dictionary);
    if (prefix) word = prefix->stem;
    const std::optional<SuffixMatch> suffix = confirm_suffix(word, dictionary);
    if (suffix) word = suffix->stem;

    std::optional<SplitSearch::Parts> parts;
    if (!prefix && !suffix && !begins_with_digit(word)) parts = SplitSearch(word, dictionary).run();
    if (parts) {
        word = std::move(parts->text);
    } else {
        Schwa_Del(word);
    }

    if (prefix) {
        word.insert(0, std::u16string(prefix->prefix) + prefix->joining_vowel);
        finished.stem_begin = prefix->prefix.size() + prefix->joining_vowel.size();
    }
    finished.stem_end = parts ? parts->first_size : word.size();
    if (suffix) word += suffix->suffix;

    finished.text = std::move(word);
    finished.prefix = prefix.has_value();
    finished.suffix = suffix.has_value();
    finished.split = parts.has_value();
    return finished;
}

}  // namespace taviro
