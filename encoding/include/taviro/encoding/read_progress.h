// Told how far the reading of a source has come, for a progress display: the
// bytes read from the source so far, after every block. Empty for none.
#pragma once

#include <cstdint>
#include <functional>

namespace taviro {

using ReadProgress = std::function<void(std::uint64_t bytes_read)>;

}  // namespace taviro
