// The run's character counter and what follows from it: whether a word end
// drops a final inherent "a", and where a chunk of the input may end so that
// it converts on its own to what the whole run writes for it.
//
// It does not split text into words; the read loop does, and tells the
// counter what it counted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "taviro/engine.h"

namespace taviro {

// A word end at a separator drops a final inherent "a" and starts the counter
// afresh only once the counter, the separator itself included, has passed two.
[[nodiscard]] constexpr bool counter_starts_afresh(std::int32_t counted) noexcept {
    return counted > 2;
}

// Every code unit read counts, except a sign that joins the letter before it
// (a nukta, a vowel sign after iri or ura) and one that reads as nothing, a
// format character beside Gurmukhi among them. It is 16-bit; it passes its
// limit only after 32,765 or more word characters in a row.
class CharacterCounter {
public:
    // Throws EngineError (overflow) past the 16-bit limit.
    void add(std::int32_t units) {
        if (value_ + units > kMax16) {
            throw EngineError(EngineError::Kind::overflow, "more than 32767 characters in a row without a word end");
        }
        value_ = static_cast<std::int16_t>(value_ + units);
    }
    // At a separator, once it is counted: true, and the counter back at 0,
    // when the word end drops a final inherent "a".
    bool settle_at_separator() noexcept {
        if (!counter_starts_afresh(value_)) {
            return false;
        }
        value_ = 0;
        return true;
    }

private:
    std::int16_t value_ = 0;
};

// What a face says after the counter's failure, to a person who gave it a
// file (`of_file`) or a typed text: no Punjabi word is that long.
[[nodiscard]] inline std::string too_long_advice(bool of_file) {
    return std::string("A word that long is not Punjabi text: check that this is the ") + (of_file ? "file" : "text") +
           " you meant.";
}

// Where the last chunk in `units` may end: just after the last separator at
// which the counter starts afresh whatever came before, so that the chunk
// after it needs nothing of the run but which separator it was; 0 when there
// is none. No nukta, udaat, yakash or format character is counted, nor a
// vowel sign that may join an iri or ura: this counts never more than the run
// does. A separator that is a surrogate pair counts two, as in the run, and a
// chunk never ends inside one. A word that began before `units` counts at
// least what shows of it, but for a second half at its start, which may end
// a separator whose first half lies before.
[[nodiscard]] std::size_t last_chunk_end(std::span<const char16_t> units) noexcept;

}  // namespace taviro
