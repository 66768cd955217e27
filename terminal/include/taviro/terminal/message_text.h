// The pieces the command lines build their messages from.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace taviro {

// `text` as messages show a name: quoted, its control characters escaped.
std::string quoted_text(std::string_view text);

// The parts one after another. Built piece by piece rather than with
// "text" + string, which GCC's optimiser takes for overlapping copies and
// warns about.
std::string joined(std::initializer_list<std::string_view> parts);

}  // namespace taviro
