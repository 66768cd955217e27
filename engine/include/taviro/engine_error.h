// How the engine fails: every failure of the word rules is an EngineError,
// which the conversion run turns into its failure outcome.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace taviro {

class EngineError : public std::runtime_error {
public:
    enum class Kind {
        addak_before_unmapped,  // addak followed by a word character with no map row
        overflow,               // a 16-bit counter, position or length went past 32,767
    };
    EngineError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    Kind kind() const noexcept { return kind_; }

private:
    Kind kind_;
};

// Largest value of the 16-bit counters, positions and lengths of the rules.
inline constexpr std::int32_t kMax16 = 32767;

}  // namespace taviro
