#include "chunk_cutter.h"

#include <algorithm>
#include <span>

#include "taviro/convert/character_counter.h"

namespace taviro {

bool ChunkCutter::fill(Chunk& chunk) {
    chunk.after_separator = after_separator_;
    chunk.ends_input = false;
    chunk.size = carried_.size();
    std::copy(carried_.begin(), carried_.end(), chunk.units.begin());
    carried_.clear();
    while (chunk.size < chunk.units.size()) {
        const std::size_t count = source_.read(chunk.units.subspan(chunk.size));
        if (count == 0) {
            chunk.ends_input = true;
            break;
        }
        chunk.size += count;
    }
    return chunk.ends_input;
}

bool ChunkCutter::cut(Chunk& chunk) {
    const std::span<const char16_t> units = chunk.read();
    const std::size_t end = last_chunk_end(units);
    if (end == 0) {
        return false;
    }
    carried_.assign(units.begin() + static_cast<std::ptrdiff_t>(end), units.end());
    after_separator_ = units[end - 1];
    chunk.size = end;
    return true;
}

}  // namespace taviro
