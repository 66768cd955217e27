#include "taviro/run/parallel_conversion.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <thread>

#include "chunk_converter.h"
#include "chunk_cutter.h"
#include "ordered_chunk_ring.h"
#include "taviro/convert/chunk_loop.h"

namespace taviro {
namespace {

// The chunks in flight, their units and their Roman text, fit in about as
// much cache as one core has, so that a chunk is still cached when it is
// converted and when its text is written; on 2 threads, larger chunks cost 3 %
// more CPU time. Many threads share the same memory in smaller chunks; too
// small, and handing them over costs more than it gains.
constexpr std::size_t kUnitsInFlight = std::size_t{1} << 19;
constexpr std::size_t kMostChunkUnits = std::size_t{1} << 18;
constexpr std::size_t kLeastChunkUnits = std::size_t{1} << 14;

// Converts on the calling thread, straight into the sink, from `chunk` on
// until a place where a chunk may end or the end of the input; true at the
// end. Everything before `chunk` must have been written.
bool convert_alone(ChunkCutter& cutter, Chunk& chunk, UnitSink& sink, WordMemory& memory, FinishCounts& counts) {
    ChunkLoop loop(sink, memory, chunk.after_separator);
    const bool ends_input =
        cutter.read_on_to_chunk_end(chunk, [&loop](std::span<const char16_t> units) { loop.take(units); });
    loop.take(chunk.read());
    if (ends_input) {
        loop.end_of_input();
    }
    counts += loop.counts();
    return ends_input;
}

// The calling thread cuts the input into the ring's chunks, which the ring
// converts and writes in order; where the input gives no place to cut, the
// calling thread converts it itself once the ring has written all before.
FinishCounts convert_in_chunks(UnitSource& source, UnitSink& sink, const Dictionary& dictionary,
                               const ParallelOptions& options) {
    const std::size_t in_flight = options.chunks_in_flight != 0 ? options.chunks_in_flight : 4 * options.threads;
    const std::size_t chunk_units = options.chunk_units != 0
                                        ? options.chunk_units
                                        : std::clamp(kUnitsInFlight / in_flight, kLeastChunkUnits, kMostChunkUnits);
    ChunkConverter own(dictionary);
    OrderedChunkRing ring(sink, dictionary, own, options.threads - 1, in_flight, chunk_units);
    ChunkCutter cutter(source);
    FinishCounts converted_alone;
    for (;;) {
        Chunk& chunk = ring.next_free();
        try {
            cutter.fill(chunk);
        } catch (...) {
            // What was read before the failure is converted as the sequential
            // run converts it, and a failure earlier in the input comes first.
            ring.submit();
            ring.write_all();
            throw;
        }
        if (chunk.ends_input) {
            ring.submit();
            break;
        }
        if (cutter.cut(chunk)) {
            ring.submit();
            continue;
        }
        ring.write_all();
        if (convert_alone(cutter, chunk, sink, own.memory(), converted_alone)) {
            break;
        }
    }
    ring.write_all();
    return converted_alone += ring.counts();
}

}  // namespace

FinishCounts convert_units_parallel(UnitSource& source, UnitSink& sink, const Dictionary& dictionary,
                                    const ParallelOptions& options) {
    if (options.threads <= 1) {
        return convert_units(source, sink, dictionary);
    }
    return convert_in_chunks(source, sink, dictionary, options);
}

unsigned available_threads() noexcept {
    return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace taviro
