// A quick hash of UTF-16 text for hash tables keyed by words, which are short:
// one rotate and one exclusive or per code unit, so that a caller scanning text
// can hash it on the way at little more than the cost of reading it, and one
// multiply at the end to spread the bits. A Gurmukhi unit differs from another
// in its low 7 bits, so a word of up to nine letters keeps each letter in bits
// of its own before the multiply. Not for anything an adversary may choose to
// collide on purpose; the tables it serves only get slower then.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace taviro {

struct TextHashState {
    std::uint64_t state = 0;
    constexpr void add(char16_t unit) noexcept { state = std::rotl(state, 7) ^ unit; }
    constexpr std::uint64_t value() const noexcept {
        const std::uint64_t mixed = (state + 1) * 0x9E3779B97F4A7C15ULL;
        return mixed ^ (mixed >> 29);
    }
};

// The same over a whole text. Transparent, so a table of std::u16string keys
// can be searched with a std::u16string_view.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view text) const noexcept {
        TextHashState hash;
        for (const char16_t unit : text) hash.add(unit);
        return static_cast<std::size_t>(hash.value());
    }
};

}  // namespace taviro
