// The read loop as a step function whose state the caller owns: each take()
// converts the words that the units given end, and keeps the word cut by
// their end for the next; end_of_input() ends it. convert_units() steps it
// block by block over the whole input, text conversion once over text in
// memory, the parallel conversion once per chunk. A stretch that begins where
// the run's past is known (the start of the input, or just after a separator
// at which the character counter starts afresh) converts on its own to
// exactly what the whole run writes for it. The word memory is the caller's,
// so that a thread keeps one across the stretches it converts.
//
// It reads nothing itself, and does not decide where a stretch may begin:
// last_chunk_end() in character_counter.h does, and the parallel conversion
// asks it.
#pragma once

#include <memory>
#include <span>

#include "taviro/convert/read_loop.h"
#include "taviro/convert/unit_sink.h"
#include "taviro/convert/word_memory.h"

namespace taviro {

class WordByWordLoop;

class ChunkLoop {
public:
    // `after_separator` is the separator just before the stretch, 0 at the
    // start of the input: a line feed right after a carriage return adds nothing.
    // `observer`, when given, is told of every word, its place counted from
    // the start of the stretch.
    ChunkLoop(UnitSink& sink, WordMemory& memory, char16_t after_separator = 0, WordObserver* observer = nullptr);
    ~ChunkLoop();
    ChunkLoop(const ChunkLoop&) = delete;
    ChunkLoop& operator=(const ChunkLoop&) = delete;

    // Begins another stretch, written to `sink`, as a new loop would.
    void restart(UnitSink& sink, char16_t after_separator);
    // Converts every word that a separator in `units` ends; a word cut by the
    // end of `units` waits for the next call.
    void take(std::span<const char16_t> units);
    // Ends the last word as the end of the input does.
    void end_of_input();
    const FinishCounts& counts() const noexcept;

private:
    std::unique_ptr<WordByWordLoop> loop_;
};

}  // namespace taviro
