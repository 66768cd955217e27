#include <algorithm>

#include "taviro/convert/unit_source.h"

namespace taviro {

std::size_t MemoryUnitSource::read(std::span<char16_t> units) {
    const std::size_t count = std::min(units.size(), units_.size() - position_);
    std::copy_n(units_.begin() + static_cast<std::ptrdiff_t>(position_), count, units.begin());
    position_ += count;
    return count;
}

}  // namespace taviro
