// The read loop on every core: the input is cut into chunks where the run's
// past no longer matters, a pool of threads converts the chunks, and their
// text goes to the sink in input order. The output is exactly what
// convert_units() writes, byte for byte, for every input and every failure.
//
// A chunk may begin right after a separator that ends a word of two or more
// counted characters: that separator leaves the run's character counter at 3
// or more, which starts it afresh at 0, so a chunk begun there needs nothing of
// the run but which separator it was (a line feed right after a carriage return
// writes nothing). Input without such a place is converted on the calling
// thread, in order, until one comes.
//
// Failures keep their order: the first failure in the input stops the
// conversion, the sink holds the text written before it, exactly as in the
// sequential run, and nothing after it. Memory stays bounded: a fixed number of
// chunks is in flight, however long the input. Each thread remembers words in
// its own word memory, so the threads share nothing but the dictionary, which
// they only read.
//
// It does not open or close anything. The source is read on the calling
// thread only, which converts too while every chunk is in flight; the sink is
// written by one thread at a time, in input order, which may be any of them.
#pragma once

#include <cstddef>

#include "taviro/engine.h"
#include "taviro/convert/read_loop.h"
#include "taviro/convert/unit_sink.h"
#include "taviro/convert/unit_source.h"

namespace taviro {

// The threads a conversion uses unless told otherwise: one per core.
unsigned available_threads() noexcept;

// The most threads a front end lets a conversion ask for: more only cost
// memory, a few chunks each.
inline constexpr unsigned kMostThreads = 256;

struct ParallelOptions {
    // Threads that convert, the calling one among them; 1 or less is
    // convert_units() on the calling thread.
    unsigned threads = available_threads();
    // Code units read for one chunk; the chunk ends at the last place in them
    // where a chunk may end. 0 sizes the chunks so that those in flight hold
    // half a million units together, however many threads there are.
    std::size_t chunk_units = 0;
    // Chunks read and not yet written, at most; 0 for four times the threads.
    std::size_t chunks_in_flight = 0;
};

// Converts the whole of `source` into `sink` with `options.threads` threads.
// Throws what convert_units() throws, for the first failure in input order.
FinishCounts convert_units_parallel(UnitSource& source, UnitSink& sink, const Dictionary& dictionary,
                                    const ParallelOptions& options);

}  // namespace taviro
