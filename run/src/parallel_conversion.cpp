#include "taviro/run/parallel_conversion.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "taviro/convert/character_counter.h"
#include "taviro/convert/chunk_loop.h"
#include "taviro/convert/word_memory.h"

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

// Keeps a chunk's text until its turn to go to the real sink comes.
class TextSink final : public UnitSink {
public:
    explicit TextSink(std::u16string& text) : text_(text) {}
    void write(std::u16string_view text) override { text_.append(text); }

private:
    std::u16string& text_;
};

// One chunk of the input and, once converted, its text. The buffers keep
// their size from chunk to chunk, so memory stays what the first chunks took.
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
    bool converted = false;      // guarded by the run's mutex
};

// What one thread converts chunks with: its word memory, and a loop that keeps
// its buffers from chunk to chunk instead of allocating them for each.
class ChunkConverter {
public:
    explicit ChunkConverter(const Dictionary& dictionary) : memory_(dictionary) {}

    WordMemory& memory() noexcept { return memory_; }

    void convert(Chunk& chunk) {
        chunk.text.clear();
        TextSink sink(chunk.text);
        try {
            if (loop_) {
                loop_->restart(sink, chunk.after_separator);
            } else {
                loop_.emplace(sink, memory_, chunk.after_separator);
            }
            loop_->take(chunk.read());
            if (chunk.ends_input) {
                loop_->end_of_input();
            }
            chunk.counts = loop_->counts();
            chunk.failure = nullptr;
        } catch (...) {
            chunk.failure = std::current_exception();
        }
    }

private:
    WordMemory memory_;
    std::optional<ChunkLoop> loop_;  // restarted with each chunk's own sink
};

// The calling thread reads and cuts, and converts too whenever every chunk is
// in flight, so that N threads keep N cores busy; the pool's N - 1 threads
// convert. Whichever thread finds the oldest chunk converted writes it, and the
// converted chunks after it, to the sink, one thread at a time. The chunks form
// a ring: they are read, converted and written in the same order.
class ParallelRun {
public:
    ParallelRun(UnitSink& sink, const Dictionary& dictionary, const ParallelOptions& options);
    FinishCounts convert(UnitSource& source);

private:
    void work(std::stop_token stop, ChunkConverter& converter);
    void convert_and_pass_on(Chunk& chunk, ChunkConverter& converter);
    template <class Done>
    void help_until(std::unique_lock<std::mutex>& lock, Done done);
    void write_converted();
    bool fill(UnitSource& source, Chunk& chunk);
    bool convert_alone(UnitSource& source, Chunk& chunk);
    void carry_from(Chunk& chunk, std::size_t end);
    Chunk& next_free();
    void submit();
    void write_all();

    UnitSink& sink_;
    std::vector<Chunk> chunks_;
    std::u16string carried_;  // the units read after the latest chunk's end
    char16_t after_separator_ = 0;
    ChunkConverter own_;  // the calling thread's

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

ParallelRun::ParallelRun(UnitSink& sink, const Dictionary& dictionary, const ParallelOptions& options)
    : sink_(sink), own_(dictionary) {
    const std::size_t in_flight = options.chunks_in_flight != 0 ? options.chunks_in_flight : 4 * options.threads;
    const std::size_t chunk_units = options.chunk_units != 0
                                        ? options.chunk_units
                                        : std::clamp(kUnitsInFlight / in_flight, kLeastChunkUnits, kMostChunkUnits);
    chunks_.reserve(in_flight);
    for (std::size_t i = 0; i < in_flight; ++i) {
        chunks_.emplace_back(chunk_units);
    }
    for (unsigned i = 1; i < options.threads; ++i) {
        ChunkConverter& converter = *converters_.emplace_back(std::make_unique<ChunkConverter>(dictionary));
        threads_.emplace_back([this, &converter](std::stop_token stop) { work(stop, converter); });
    }
}

FinishCounts ParallelRun::convert(UnitSource& source) {
    for (;;) {
        Chunk& chunk = next_free();
        chunk.after_separator = after_separator_;
        chunk.ends_input = false;
        try {
            chunk.ends_input = fill(source, chunk);
        } catch (...) {
            // What was read before the failure is converted as the sequential
            // run converts it, and a failure earlier in the input comes first.
            submit();
            write_all();
            throw;
        }
        if (chunk.ends_input) {
            submit();
            write_all();
            return counts_;
        }
        const std::size_t end = last_chunk_end(chunk.read());
        if (end == 0) {
            write_all();
            if (convert_alone(source, chunk)) {
                return counts_;
            }
            continue;
        }
        carry_from(chunk, end);
        submit();
    }
}

void ParallelRun::work(std::stop_token stop, ChunkConverter& converter) {
    for (;;) {
        Chunk* chunk = nullptr;
        {
            std::unique_lock lock(mutex_);
            if (!work_ready_.wait(lock, stop, [this] { return taken_ < submitted_; })) {
                return;
            }
            chunk = &chunks_[taken_++ % chunks_.size()];
        }
        convert_and_pass_on(*chunk, converter);
    }
}

// Converts a chunk taken from the ring, then writes out what is ready unless
// another thread is at it; that thread will come to this chunk.
void ParallelRun::convert_and_pass_on(Chunk& chunk, ChunkConverter& converter) {
    converter.convert(chunk);
    {
        std::lock_guard lock(mutex_);
        chunk.converted = true;
        if (writing_) {
            return;
        }
        writing_ = true;
    }
    write_converted();
}

// For the calling thread: waits until `done` holds, converting the chunks that
// no thread has taken yet in the meantime. Chunks after a failure are not worth it.
template <class Done>
void ParallelRun::help_until(std::unique_lock<std::mutex>& lock, Done done) {
    while (!done()) {
        if (taken_ < submitted_ && !failure_) {
            Chunk& chunk = chunks_[taken_++ % chunks_.size()];
            lock.unlock();
            convert_and_pass_on(chunk, own_);
            lock.lock();
        } else {
            chunk_written_.wait(lock);
        }
    }
}

// Writes the oldest chunks while they are converted, then gives up writing.
// Called by the one thread that holds the writing.
void ParallelRun::write_converted() {
    for (;;) {
        Chunk* chunk = nullptr;
        {
            std::lock_guard lock(mutex_);
            Chunk& oldest = chunks_[written_count_ % chunks_.size()];
            if (failure_ || written_count_ == submitted_ || !oldest.converted) {
                writing_ = false;
                break;
            }
            chunk = &oldest;
        }
        std::exception_ptr failure = chunk->failure;
        try {
            sink_.write(chunk->text);
        } catch (...) {
            failure = std::current_exception();
        }
        {
            std::lock_guard lock(mutex_);
            chunk->converted = false;
            ++written_count_;
            if (failure) {
                failure_ = failure;
            } else {
                counts_ += chunk->counts;
            }
        }
        chunk_written_.notify_all();
    }
    chunk_written_.notify_all();
}

// The units carried from the chunk before, then the source's up to the
// chunk's capacity; true when the source has ended.
bool ParallelRun::fill(UnitSource& source, Chunk& chunk) {
    chunk.size = carried_.size();
    std::copy(carried_.begin(), carried_.end(), chunk.units.begin());
    carried_.clear();
    while (chunk.size < chunk.units.size()) {
        const std::size_t count = source.read(chunk.units.subspan(chunk.size));
        if (count == 0) {
            return true;
        }
        chunk.size += count;
    }
    return false;
}

// Converts on the calling thread, straight into the sink, from `chunk` on
// until a place where a chunk may end or the end of the input; true at the
// end. Everything before `chunk` must have been written.
bool ParallelRun::convert_alone(UnitSource& source, Chunk& chunk) {
    ChunkLoop loop(sink_, own_.memory(), after_separator_);
    std::size_t end = 0;
    do {
        loop.take(chunk.read());
        try {
            chunk.ends_input = fill(source, chunk);
        } catch (...) {
            loop.take(chunk.read());
            throw;
        }
        end = chunk.ends_input ? chunk.size : last_chunk_end(chunk.read());
    } while (end == 0 && !chunk.ends_input);
    carry_from(chunk, end);
    loop.take(chunk.read());
    if (chunk.ends_input) {
        loop.end_of_input();
    }
    counts_ += loop.counts();
    return chunk.ends_input;
}

// The chunk ends at `end`; the next one begins with what follows.
void ParallelRun::carry_from(Chunk& chunk, std::size_t end) {
    const std::span<const char16_t> units = chunk.read();
    carried_.assign(units.begin() + static_cast<std::ptrdiff_t>(end), units.end());
    if (end != 0) {
        after_separator_ = units[end - 1];
    }
    chunk.size = end;
}

// The chunk to read into next: once every chunk is in flight, the oldest must
// be written first. Throws the conversion's failure once one is known.
Chunk& ParallelRun::next_free() {
    std::unique_lock lock(mutex_);
    help_until(lock, [this] { return (failure_ && !writing_) || submitted_ - written_count_ < chunks_.size(); });
    if (failure_) {
        std::rethrow_exception(failure_);
    }
    return chunks_[submitted_ % chunks_.size()];
}

void ParallelRun::submit() {
    {
        std::lock_guard lock(mutex_);
        ++submitted_;
    }
    work_ready_.notify_one();
}

// Waits until every chunk submitted is written, or the first failure; throws it.
void ParallelRun::write_all() {
    std::unique_lock lock(mutex_);
    help_until(lock, [this] { return !writing_ && (failure_ || written_count_ == submitted_); });
    if (failure_) {
        std::rethrow_exception(failure_);
    }
}

}  // namespace

FinishCounts convert_units_parallel(UnitSource& source, UnitSink& sink, const Dictionary& dictionary,
                                    const ParallelOptions& options) {
    if (options.threads <= 1) {
        return convert_units(source, sink, dictionary);
    }
    ParallelRun run(sink, dictionary, options);
    return run.convert(source);
}

unsigned available_threads() noexcept {
    return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace taviro
