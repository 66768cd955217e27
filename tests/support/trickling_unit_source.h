// A unit source that gives its units a few at a time, the count cycling through
// small sizes, so that words, nukta letters and line ends fall across the edges
// of the reads. For checking that how units arrive never changes the output.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <span>
#include <string>

#include "taviro/convert/unit_source.h"

namespace taviro {

class TricklingUnitSource final : public UnitSource {
public:
    explicit TricklingUnitSource(std::u16string units) : units_(std::move(units)) {}

    std::size_t read(std::span<char16_t> units) override {
        static constexpr std::size_t kSizes[] = {1, 2, 3, 5, 8, 13, 23};
        const std::size_t wanted = std::min(kSizes[reads_++ % std::size(kSizes)], units.size());
        const std::size_t count = std::min(wanted, units_.size() - position_);
        std::copy_n(units_.begin() + static_cast<std::ptrdiff_t>(position_), count, units.begin());
        position_ += count;
        return count;
    }

private:
    std::u16string units_;
    std::size_t position_ = 0;
    std::size_t reads_ = 0;
};

}  // namespace taviro
