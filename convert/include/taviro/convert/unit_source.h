// Where the read loop takes its UTF-16 code units from: a file, standard input
// or a buffer in memory. The loop never knows which.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace taviro {

class UnitSource {
public:
    virtual ~UnitSource() = default;
    // Fills the front of `units` with the next code units and returns how many;
    // 0 only at the end of the input. `units` must not be empty. Throws RunError
    // when the input cannot be read.
    virtual std::size_t read(std::span<char16_t> units) = 0;
};

// Code units held in memory.
class MemoryUnitSource final : public UnitSource {
public:
    explicit MemoryUnitSource(std::u16string units) : units_(std::move(units)) {}
    std::size_t read(std::span<char16_t> units) override;

private:
    std::u16string units_;
    std::size_t position_ = 0;
};

}  // namespace taviro
