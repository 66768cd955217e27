// Cuts the input into chunks that each convert on their own to what the whole
// run writes for them: a chunk ends where last_chunk_end() says one may, and
// the units read after that place begin the next chunk.
//
// It reads the source and converts nothing; where the units hold no place to
// end a chunk, it hands them on to whoever converts them in order.
#pragma once

#include <string>

#include "chunk.h"
#include "taviro/convert/unit_source.h"

namespace taviro {

class ChunkCutter {
public:
    explicit ChunkCutter(UnitSource& source) : source_(source) {}

    // Fills `chunk` with the units carried from the chunk before, then the
    // source's up to the chunk's capacity, and tells it which separator came
    // before it. True, and the chunk marked the last, when the source has
    // ended. When the source throws, the chunk holds what was read before.
    bool fill(Chunk& chunk);

    // Ends `chunk` at the last place in it where a chunk may end and carries
    // the rest to the next one; false, the chunk as it was, when there is none.
    bool cut(Chunk& chunk);

    // For a chunk with no place to end it: gives its units to `take`, then
    // reads on into it, giving those units too, until they hold a place where
    // a chunk may end, or the input ends. The chunk then holds the units up to
    // that place, not yet given. True at the end of the input. When the source
    // throws, what was read before is given first.
    template <class Take>
    bool read_on_to_chunk_end(Chunk& chunk, Take take) {
        for (;;) {
            take(chunk.read());
            try {
                fill(chunk);
            } catch (...) {
                take(chunk.read());
                throw;
            }
            if (chunk.ends_input) {
                return true;
            }
            if (cut(chunk)) {
                return false;
            }
        }
    }

private:
    UnitSource& source_;
    std::u16string carried_;  // the units read after the latest chunk's end
    char16_t after_separator_ = 0;
};

}  // namespace taviro
