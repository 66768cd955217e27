// A quick hash of UTF-16 text for hash tables keyed by words, which are short:
// FNV-1a over the code units, one unit at a time, so that a caller scanning
// text can hash it on the way. Not for anything an adversary may choose to
// collide on purpose; the tables it serves only get slower then.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace taviro {

struct TextHashState {
    std::uint64_t value = 0xcbf29ce484222325ULL;
    constexpr void add(char16_t unit) noexcept { value = (value ^ unit) * 0x100000001b3ULL; }
};

// The same over a whole text. Transparent, so a table of std::u16string keys
// can be searched with a std::u16string_view.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view text) const noexcept {
        TextHashState hash;
        for (const char16_t unit : text) hash.add(unit);
        return static_cast<std::size_t>(hash.value);
    }
};

}  // namespace taviro
