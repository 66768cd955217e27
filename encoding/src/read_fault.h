// The one wording of bytes that are no text, for the streaming source and for
// text decoded whole, so that a file reads to the same message either way.
#pragma once

#include <string>
#include <string_view>

#include "taviro/convert/run_error.h"

namespace taviro {

inline constexpr std::string_view kNotUtf8 = "it is not valid UTF-8 at ";
inline constexpr std::string_view kEndsInsideUtf8 = "it ends inside a UTF-8 character at ";
inline constexpr std::string_view kHalfUtf16 = "it ends in half a UTF-16 character (an odd number of bytes)";
inline constexpr char16_t kByteOrderMark = u'\uFEFF';

// `name` as the messages show it: "'in.txt'" or "standard input".
[[noreturn]] inline void fail_to_read(const std::string& name, std::string_view reason) {
    throw RunError("cannot read " + name + ": " + std::string(reason));
}

// A program, a picture or a document: saying which encoding it is not would
// only mislead.
[[noreturn]] inline void fail_not_text(const std::string& name) {
    throw NotTextError(name + " is not a text file");
}

}  // namespace taviro
