// The value of --from, which both terminal programs take for the text they read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "taviro/encoding/encoding.h"

namespace taviro {

// What --from asked for: an encoding, or detection ("auto").
struct SourceEncodingChoice {
    std::optional<Encoding> encoding;  // empty for auto
    std::string problem;               // set when `value` names no encoding --from knows
};

// "auto", "utf-16le", "utf-16be" or "utf-8"; anything else is a problem that
// names the choices.
SourceEncodingChoice read_source_encoding(std::string_view value);

}  // namespace taviro
