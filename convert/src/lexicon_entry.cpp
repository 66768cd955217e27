#include "taviro/convert/lexicon_entry.h"

#include <algorithm>

#include "taviro/convert/dictionary_entry.h"
#include "taviro/engine.h"
#include "taviro/convert/separator.h"

namespace taviro {
namespace {

constexpr std::u16string_view kBlanks = u" \t\r";

bool is_control(char16_t unit) { return unit < u' ' || (unit >= u'\u007F' && unit <= u'\u009F'); }

std::u16string_view trimmed(std::u16string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::u16string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Adds the entry of one line, or its problem.
void take_line(std::u16string_view line, const std::string& where, ParsedLexicon& parsed) {
    const std::u16string_view entry = trimmed(line);
    if (entry.empty() || entry.front() == u'#') {
        return;
    }
    const std::size_t gap = entry.find_first_of(kBlanks);
    if (gap == std::u16string_view::npos) {
        parsed.problems.push_back(where + "a word without its Roman text");
        return;
    }
    LexiconEntry item{std::u16string(entry.substr(0, gap)), std::u16string(trimmed(entry.substr(gap)))};
    if (const auto problem = entry_problem(item.word, item.roman)) {
        parsed.problems.push_back(where + *problem);
        return;
    }
    parsed.entries.push_back(std::move(item));
}

std::string place(const std::string& name, std::size_t line) { return name + ":" + std::to_string(line) + ": "; }

}  // namespace

std::optional<std::string> entry_problem(std::u16string_view word, std::u16string_view roman) {
    const EntryVerdict verdict = romanize_entry(word).verdict;
    if (word.empty() || (verdict != EntryVerdict::kept && verdict != EntryVerdict::no_vowel)) {
        return "the word must be Gurmukhi letters and signs only";
    }
    if (roman.empty()) {
        return "the Roman text is empty";
    }
    if (std::any_of(roman.begin(), roman.end(), in_gurmukhi_block)) {
        return "the Roman text holds Gurmukhi";
    }
    if (std::any_of(roman.begin(), roman.end(), is_control)) {
        return "the Roman text holds a control character";
    }
    if (holds_separator(roman)) {
        return "the Roman text holds a separator (a space, a digit, punctuation), which would end the word";
    }
    return std::nullopt;
}

void add_lexicon_line(std::optional<std::u16string_view> line, const std::string& name, std::size_t number,
                      ParsedLexicon& parsed) {
    if (line) {
        take_line(*line, place(name, number), parsed);
    } else {
        parsed.problems.push_back(place(name, number) + "not UTF-8");
    }
}

ParsedLexicon parse_lexicon(std::u16string_view text, const std::string& name) {
    ParsedLexicon parsed;
    std::size_t number = 1;
    for (std::size_t begin = 0; begin < text.size(); ++number) {
        const std::size_t end = std::min(text.find(u'\n', begin), text.size());
        add_lexicon_line(text.substr(begin, end - begin), name, number, parsed);
        begin = end + 1;
    }
    return parsed;
}

}  // namespace taviro
