#include <algorithm>

#include "taviro/engine.h"

namespace taviro {

MemoryDictionary::MemoryDictionary(const std::vector<std::u16string>& rows) {
    counts_.reserve(rows.size());
    for (const std::u16string& row : rows) add(row);
}

void MemoryDictionary::add(std::u16string_view text) {
    const auto it = counts_.find(text);
    if (it == counts_.end()) {
        counts_.emplace(std::u16string(text), 1);
    } else {
        ++it->second;
    }
    ++rows_;
    longest_row_ = std::max(longest_row_, text.size());
}

std::size_t MemoryDictionary::count(std::u16string_view text) const {
    const auto it = counts_.find(text);
    return it == counts_.end() ? 0 : it->second;
}

}  // namespace taviro
