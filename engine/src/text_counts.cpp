#include "taviro/text_counts.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "taviro/text_hash.h"

namespace taviro {
namespace {

constexpr std::size_t kLeastSlots = 16;

// Slots for `texts` distinct texts with a quarter of them free.
std::size_t slots_for(std::size_t texts) {
    return std::bit_ceil(std::max(kLeastSlots, texts + texts / 3 + 1));
}

}  // namespace

void TextCounts::reserve(std::size_t texts) {
    if (slots_for(texts) > slots_.size()) {
        rebuild_table(slots_for(texts));
    }
}

void TextCounts::add(std::u16string_view text) {
    if (slots_for(distinct_ + 1) > slots_.size()) {
        rebuild_table(slots_for(2 * (distinct_ + 1)));
    }
    const std::size_t hash = TextHash{}(text);
    Slot& slot = slots_[find_slot(text, hash)];
    if (slot.count == 0) {
        slot = Slot{.hash = hash, .at = texts_.size(), .size = text.size()};
        texts_.append(text);
        ++distinct_;
    }
    ++slot.count;
}

std::size_t TextCounts::count(std::u16string_view text) const {
    if (slots_.empty()) {
        return 0;
    }
    return slots_[find_slot(text, TextHash{}(text))].count;
}

// The slot that holds `text`, or the free one where it would go.
std::size_t TextCounts::find_slot(std::u16string_view text, std::size_t hash) const noexcept {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.count == 0 ||
            (slot.hash == hash && std::u16string_view(texts_).substr(slot.at, slot.size) == text)) {
            return at;
        }
    }
}

void TextCounts::rebuild_table(std::size_t slot_count) {
    std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(slot_count));
    const std::size_t mask = slot_count - 1;
    for (const Slot& slot : old) {
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

}  // namespace taviro
