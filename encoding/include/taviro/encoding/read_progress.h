// Told how far the reading of a source has come, for a progress display.
#pragma once

#include <cstdint>

namespace taviro {

class ReadProgress {
public:
    virtual ~ReadProgress() = default;
    // `bytes` have been read from the source so far; called after every block.
    virtual void bytes_read(std::uint64_t bytes) = 0;
};

}  // namespace taviro
