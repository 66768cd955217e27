#include "taviro/convert/character_counter.h"

#include <optional>

#include "taviro/character_classes.h"
#include "taviro/convert/separator.h"
#include "taviro/gurmukhi.h"
#include "taviro/tables.h"

namespace taviro {

namespace {

// Whether the unit at `at` may be one the run does not count: a sign that
// reads as nothing, or a vowel sign that joins the iri or ura before it. A
// vowel sign at the start of `units` may follow a carrier that lies before,
// and a second half there may end a separator whose first half lies before:
// the word before that separator is not the word here.
bool may_go_uncounted(std::span<const char16_t> units, std::size_t at) noexcept {
    if (reads_as_nothing(units[at]) || is_format_character(units[at]) || (at == 0 && is_low_surrogate(units[0]))) {
        return true;
    }
    if (carried_vowel(kIri, units[at]) == 0) {
        return false;
    }
    while (at-- > 0) {
        if (!reads_as_nothing(units[at])) return units[at] == kIri || units[at] == kUra;
    }
    return true;
}

}  // namespace

std::size_t last_chunk_end(std::span<const char16_t> units) noexcept {
    std::optional<std::size_t> separator_end;  // of the latest one met, walking back
    std::int32_t separator_units = 0;
    std::int32_t letters = 0;
    for (std::size_t at = units.size(); at-- > 0;) {
        // A pair is met at its second half, and counts both.
        const bool pair = at > 0 && is_separator_pair(units[at - 1], units[at]);
        if (pair || is_separator(units[at])) {
            separator_end = at + 1;
            separator_units = pair ? 2 : 1;
            letters = 0;
            at -= pair ? 1 : 0;
        } else if (separator_end && !may_go_uncounted(units, at) && counter_starts_afresh(++letters + separator_units)) {
            // The word's letters and the separator after it.
            return *separator_end;
        }
    }
    return 0;
}

}  // namespace taviro
