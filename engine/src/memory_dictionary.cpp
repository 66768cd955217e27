#include "taviro/memory_dictionary.h"

#include <algorithm>

#include "taviro/word_builder.h"

namespace taviro {

MemoryDictionary::MemoryDictionary(const std::vector<std::u16string>& rows) {
    reserve(rows.size());
    for (const std::u16string& row : rows) add(row);
}

void MemoryDictionary::reserve(std::size_t rows) { rows_by_text_.reserve(rows); }

void MemoryDictionary::add(std::u16string_view text) {
    rows_by_text_.add(text);
    ++rows_;
    longest_row_ = std::max(longest_row_, text.size());
}

std::size_t MemoryDictionary::count(std::u16string_view text) const { return rows_by_text_.count(text); }

void MemoryDictionary::pronounce(std::u16string_view units, std::u16string_view roman, Lexicon lexicon) {
    const auto [it, added] = pronunciations_.try_emplace(units_as_read(units), Entry{std::u16string(roman), lexicon, {}});
    if (!added && outranks(lexicon, it->second.lexicon)) {
        it->second = Entry{std::u16string(roman), lexicon, {}};
    }
}

void MemoryDictionary::spell(std::u16string_view units, std::u16string_view english) {
    const auto it = pronunciations_.find(units_as_read(units));
    if (it != pronunciations_.end() && it->second.lexicon == Lexicon::loanword) {
        it->second.spelling = english;
    }
}

std::optional<Pronunciation> MemoryDictionary::pronunciation(std::u16string_view units) const {
    // Most dictionaries have no lexicon; their words cost no hashing here.
    if (pronunciations_.empty()) {
        return std::nullopt;
    }
    const auto it = pronunciations_.find(units);
    if (it == pronunciations_.end()) {
        return std::nullopt;
    }
    return Pronunciation{it->second.roman, it->second.lexicon, it->second.spelling};
}

}  // namespace taviro
