// One chunk of the input on its way through the parallel run: its units, which
// the chunk cutter fills, and, once converted, its text, its counts or its
// failure. The buffers keep their size from chunk to chunk, so memory stays
// what the first chunks took.
#pragma once

#include <cstddef>
#include <exception>
#include <memory>
#include <span>
#include <string>

#include "taviro/convert/read_loop.h"

namespace taviro {

struct Chunk {
    // The units are left unset: the source fills them, on the reading thread.
    // Room for the Roman text of most chunks, so that it is seldom moved while
    // it grows: a move frees memory under the other threads' feet.
    explicit Chunk(std::size_t capacity)
        : buffer(std::make_unique_for_overwrite<char16_t[]>(capacity)), units(buffer.get(), capacity) {
        text.reserve(capacity + capacity / 2);
    }

    std::span<const char16_t> read() const noexcept { return units.first(size); }

    std::unique_ptr<char16_t[]> buffer;
    std::span<char16_t> units;  // of the buffer; the first `size` are the chunk's
    std::size_t size = 0;
    char16_t after_separator = 0;  // the separator just before the chunk; 0 at the start
    bool ends_input = false;
    std::u16string text;
    FinishCounts counts;
    std::exception_ptr failure;  // what stopped the conversion of this chunk
};

}  // namespace taviro
