// What one thread of the parallel run converts chunks with: its own word
// memory, so that threads share nothing but the dictionary, and a chunk loop
// that keeps its buffers from chunk to chunk instead of allocating them for
// each. It does not decide which chunk it converts, nor write the text out.
#pragma once

#include <optional>

#include "chunk.h"
#include "taviro/convert/chunk_loop.h"
#include "taviro/convert/word_memory.h"
#include "taviro/engine.h"

namespace taviro {

class ChunkConverter {
public:
    explicit ChunkConverter(const Dictionary& dictionary) : memory_(dictionary) {}

    WordMemory& memory() noexcept { return memory_; }

    // Puts the chunk's text and counts in it, or the failure that stopped it.
    void convert(Chunk& chunk);

private:
    WordMemory memory_;
    std::optional<ChunkLoop> loop_;  // restarted with each chunk's own sink
};

}  // namespace taviro
