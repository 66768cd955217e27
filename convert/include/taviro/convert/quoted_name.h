// "'name'", the way every message shows a name: a file's, or a setting's
// value. Control characters and bytes that are no UTF-8 are shown as escapes
// ("\n", "\033", "\377"), so that a name can never rewrite the terminal it
// is printed on.
#pragma once

#include <string>
#include <string_view>

namespace taviro {

[[nodiscard]] std::string quoted_name(std::string_view name);
// Exact matches, before a file's path (run/file_error.h) could take a string too.
[[nodiscard]] inline std::string quoted_name(const std::string& name) { return quoted_name(std::string_view(name)); }
[[nodiscard]] inline std::string quoted_name(const char* name) { return quoted_name(std::string_view(name)); }

}  // namespace taviro
