#include "taviro/convert/character_counter.h"

#include <optional>

#include "taviro/convert/separator.h"

namespace taviro {

std::size_t last_chunk_end(std::span<const char16_t> units) noexcept {
    std::optional<std::size_t> separator;  // the latest one met, walking back
    std::int32_t letters = 0;
    for (std::size_t at = units.size(); at-- > 0;) {
        if (is_separator(units[at])) {
            separator = at;
            letters = 0;
        } else if (separator && units[at] != kNukta && counter_starts_afresh(++letters + 1)) {
            // The word's letters and the separator after it.
            return *separator + 1;
        }
    }
    return 0;
}

}  // namespace taviro
