#include <algorithm>
#include <bit>
#include <utility>

#include "taviro/engine.h"
#include "taviro/word_builder.h"

namespace taviro {

MemoryDictionary::MemoryDictionary(const std::vector<std::u16string>& rows) {
    reserve(rows.size());
    for (const std::u16string& row : rows) add(row);
}

namespace {

constexpr std::size_t kLeastSlots = 16;

// Slots for `rows` distinct rows with a quarter of them free.
std::size_t slots_for(std::size_t rows) {
    return std::bit_ceil(std::max(kLeastSlots, rows + rows / 3 + 1));
}

}  // namespace

void MemoryDictionary::reserve(std::size_t rows) {
    if (slots_for(rows) > slots_.size()) {
        rebuild_table(slots_for(rows));
    }
}

void MemoryDictionary::add(std::u16string_view text) {
    if (slots_for(distinct_ + 1) > slots_.size()) {
        rebuild_table(slots_for(2 * (distinct_ + 1)));
    }
    const std::size_t hash = TextHash{}(text);
    CountSlot& slot = slots_[find_slot(text, hash)];
    if (slot.count == 0) {
        slot = CountSlot{.hash = hash, .at = texts_.size(), .size = text.size()};
        texts_.append(text);
        ++distinct_;
    }
    ++slot.count;
    ++rows_;
    longest_row_ = std::max(longest_row_, text.size());
}

std::size_t MemoryDictionary::count(std::u16string_view text) const {
    if (slots_.empty()) {
        return 0;
    }
    return slots_[find_slot(text, TextHash{}(text))].count;
}

// The slot that holds `text`, or the free one where it would go.
std::size_t MemoryDictionary::find_slot(std::u16string_view text, std::size_t hash) const noexcept {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const CountSlot& slot = slots_[at];
        if (slot.count == 0 ||
            (slot.hash == hash && std::u16string_view(texts_).substr(slot.at, slot.size) == text)) {
            return at;
        }
    }
}

void MemoryDictionary::rebuild_table(std::size_t slot_count) {
    std::vector<CountSlot> old = std::exchange(slots_, std::vector<CountSlot>(slot_count));
    const std::size_t mask = slot_count - 1;
    for (const CountSlot& slot : old) {
        if (slot.count == 0) {
            continue;
        }
        std::size_t at = slot.hash & mask;
        while (slots_[at].count != 0) {
            at = (at + 1) & mask;
        }
        slots_[at] = slot;
    }
}

void MemoryDictionary::pronounce(std::u16string_view units, std::u16string_view roman, Lexicon lexicon) {
    const auto [it, added] = pronunciations_.try_emplace(units_as_read(units), Entry{std::u16string(roman), lexicon});
    if (!added && it->second.lexicon <= lexicon) {
        it->second = Entry{std::u16string(roman), lexicon};
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
    return Pronunciation{it->second.roman, it->second.lexicon};
}

}  // namespace taviro
