// Strict UTF-8 to UTF-16 decoding for the lines of the word list.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace taviro {

// The UTF-16 text of `utf8`, or nothing when it is not well-formed UTF-8
// (overlong forms, surrogates and values past U+10FFFF included).
std::optional<std::u16string> decode_utf8(std::string_view utf8);

}  // namespace taviro
