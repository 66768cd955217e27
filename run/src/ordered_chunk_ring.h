// A fixed ring of chunks, a pool of threads that converts them, and an ordered
// writer: chunks go into the ring in input order, any thread converts them,
// and their text goes to the sink in the same order. Whichever thread finds
// the oldest chunk converted writes it, and the converted chunks after it, one
// thread at a time. The first failure in input order stops the writing:
// nothing after it reaches the sink.
//
// The calling thread fills the chunks, and converts too whenever it waits for
// the ring, so that N threads keep N cores busy with N - 1 in the pool. Memory
// stays bounded: the ring holds a fixed number of chunks, however long the
// input. It does not read the source or decide where a chunk ends.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

#include "chunk.h"
#include "chunk_converter.h"
#include "taviro/convert/read_loop.h"
#include "taviro/convert/unit_sink.h"
#include "taviro/engine.h"

namespace taviro {

class OrderedChunkRing {
public:
    // `own` is the calling thread's converter; the pool has `pool_threads` more.
    OrderedChunkRing(UnitSink& sink, const Dictionary& dictionary, ChunkConverter& own, unsigned pool_threads,
                     std::size_t chunks, std::size_t chunk_units);
    OrderedChunkRing(const OrderedChunkRing&) = delete;
    OrderedChunkRing& operator=(const OrderedChunkRing&) = delete;

    // The chunk to fill next: once every chunk is in flight, the oldest must
    // be written first. Throws the conversion's failure once one is known.
    Chunk& next_free();
    // Passes the chunk next_free() gave on to be converted and written.
    void submit();
    // Waits until every chunk submitted is written, or the first failure; throws it.
    void write_all();
    // What the chunks written counted; read it once write_all() has returned.
    const FinishCounts& counts() const noexcept { return counts_; }

private:
    struct Slot {
        explicit Slot(std::size_t chunk_units) : chunk(chunk_units) {}
        Chunk chunk;
        bool converted = false;  // guarded by the mutex
    };

    void work(std::stop_token stop, ChunkConverter& converter);
    void convert_and_pass_on(Slot& slot, ChunkConverter& converter);
    template <class Done>
    void help_until(std::unique_lock<std::mutex>& lock, Done done);
    void write_converted();

    UnitSink& sink_;
    ChunkConverter& own_;
    std::vector<Slot> slots_;

    std::mutex mutex_;
    std::condition_variable_any work_ready_;
    std::condition_variable chunk_written_;
    // Guarded by the mutex; the submitted count changes on the calling thread only.
    std::size_t submitted_ = 0;
    std::size_t taken_ = 0;
    std::size_t written_count_ = 0;
    bool writing_ = false;         // a thread is writing chunks out
    std::exception_ptr failure_;  // the first in input order; nothing after it is written
    FinishCounts counts_;
    std::vector<std::unique_ptr<ChunkConverter>> converters_;
    std::vector<std::jthread> threads_;  // last, so they are stopped and joined first
};

}  // namespace taviro
