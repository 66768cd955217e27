// What a line end of a converted text becomes in each place it goes, decided
// here alone. The read loop ends every line of its text with one line feed,
// and a string keeps it so: a str in Python, a string in JavaScript, the
// page's view. A file ends its lines as its encoding is written on its
// platform: a UTF-16 file in carriage return + line feed, as the windows
// have always written it, a UTF-8 file in a line feed, as text on Linux.
#pragma once

#include <string_view>

#include "taviro/encoding/encoding.h"

namespace taviro {

// The line end of a converted text, as the read loop writes it.
inline constexpr std::u16string_view kLineEndOfText = u"\n";

constexpr std::u16string_view line_end_in(Encoding encoding) noexcept {
    return encoding == Encoding::utf8 ? kLineEndOfText : std::u16string_view(u"\r\n");
}

}  // namespace taviro
