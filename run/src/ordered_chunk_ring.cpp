#include "ordered_chunk_ring.h"

namespace taviro {

OrderedChunkRing::OrderedChunkRing(UnitSink& sink, const Dictionary& dictionary, ChunkConverter& own,
                                   unsigned pool_threads, std::size_t chunks, std::size_t chunk_units)
    : sink_(sink), own_(own) {
    slots_.reserve(chunks);
    for (std::size_t i = 0; i < chunks; ++i) {
        slots_.emplace_back(chunk_units);
    }
    for (unsigned i = 0; i < pool_threads; ++i) {
        ChunkConverter& converter = *converters_.emplace_back(std::make_unique<ChunkConverter>(dictionary));
        threads_.emplace_back([this, &converter](std::stop_token stop) { work(stop, converter); });
    }
}

Chunk& OrderedChunkRing::next_free() {
    std::unique_lock lock(mutex_);
    help_until(lock, [this] { return (failure_ && !writing_) || submitted_ - written_count_ < slots_.size(); });
    if (failure_) {
        std::rethrow_exception(failure_);
    }
    return slots_[submitted_ % slots_.size()].chunk;
}

void OrderedChunkRing::submit() {
    {
        std::lock_guard lock(mutex_);
        ++submitted_;
    }
    work_ready_.notify_one();
}

void OrderedChunkRing::write_all() {
    std::unique_lock lock(mutex_);
    help_until(lock, [this] { return !writing_ && (failure_ || written_count_ == submitted_); });
    if (failure_) {
        std::rethrow_exception(failure_);
    }
}

void OrderedChunkRing::work(std::stop_token stop, ChunkConverter& converter) {
    for (;;) {
        Slot* slot = nullptr;
        {
            std::unique_lock lock(mutex_);
            if (!work_ready_.wait(lock, stop, [this] { return taken_ < submitted_; })) {
                return;
            }
            slot = &slots_[taken_++ % slots_.size()];
        }
        convert_and_pass_on(*slot, converter);
    }
}

// Converts a chunk taken from the ring, then writes out what is ready unless
// another thread is at it; that thread will come to this chunk.
void OrderedChunkRing::convert_and_pass_on(Slot& slot, ChunkConverter& converter) {
    converter.convert(slot.chunk);
    {
        std::lock_guard lock(mutex_);
        slot.converted = true;
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
void OrderedChunkRing::help_until(std::unique_lock<std::mutex>& lock, Done done) {
    while (!done()) {
        if (taken_ < submitted_ && !failure_) {
            Slot& slot = slots_[taken_++ % slots_.size()];
            lock.unlock();
            convert_and_pass_on(slot, own_);
            lock.lock();
        } else {
            chunk_written_.wait(lock);
        }
    }
}

// Writes the oldest chunks while they are converted, then gives up writing.
// Called by the one thread that holds the writing.
void OrderedChunkRing::write_converted() {
    for (;;) {
        Slot* slot = nullptr;
        {
            std::lock_guard lock(mutex_);
            Slot& oldest = slots_[written_count_ % slots_.size()];
            if (failure_ || written_count_ == submitted_ || !oldest.converted) {
                writing_ = false;
                break;
            }
            slot = &oldest;
        }
        std::exception_ptr failure = slot->chunk.failure;
        try {
            sink_.write(slot->chunk.text);
        } catch (...) {
            failure = std::current_exception();
        }
        {
            std::lock_guard lock(mutex_);
            slot->converted = false;
            ++written_count_;
            if (failure) {
                failure_ = failure;
            } else {
                counts_ += slot->chunk.counts;
            }
        }
        chunk_written_.notify_all();
    }
    chunk_written_.notify_all();
}

}  // namespace taviro
