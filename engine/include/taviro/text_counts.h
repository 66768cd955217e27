// A multiset of texts: how often each text was added. Every program start
// loads tens of thousands of rows, so the texts share one buffer under an
// open-addressed table instead of taking two allocations each.
//
// It only counts; it never removes a text, and it knows nothing of words.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace taviro {

class TextCounts {
public:
    // Makes room for this many distinct texts, so that adding them never
    // rebuilds the table.
    void reserve(std::size_t texts);
    void add(std::u16string_view text);
    // How often `text` was added; 0 when never.
    std::size_t count(std::u16string_view text) const;

private:
    // A distinct text: where it lies in texts_, and how often it came.
    struct Slot {
        std::size_t hash = 0;
        std::size_t at = 0;
        std::size_t size = 0;
        std::size_t count = 0;  // 0: the slot is free
    };
    std::size_t find_slot(std::u16string_view text, std::size_t hash) const noexcept;
    void rebuild_table(std::size_t slot_count);

    std::u16string texts_;
    std::vector<Slot> slots_;  // a power of two of them, at most three quarters used
    std::size_t distinct_ = 0;
};

}  // namespace taviro
