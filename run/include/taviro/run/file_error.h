// The RunError for a failed file operation, with the system's reason.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "taviro/convert/run_error.h"

namespace taviro {

// `action` is a verb such as "open" or "write"; the reason comes from errno.
RunError file_error(std::string_view action, const std::filesystem::path& file);

// "'name'", the way messages show a file name. Control characters and bytes
// that are no UTF-8 are shown as escapes ("\n", "\033", "\377"), so that a name
// can never rewrite the terminal it is printed on.
std::string quoted_name(const std::filesystem::path& file);

}  // namespace taviro
