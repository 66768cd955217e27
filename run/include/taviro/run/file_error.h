// The RunError for a failed file operation, with the system's reason.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "taviro/convert/quoted_name.h"
#include "taviro/convert/run_error.h"

namespace taviro {

// `action` is a verb such as "open" or "write"; the reason comes from errno.
RunError file_error(std::string_view action, const std::filesystem::path& file);

// "'name'", the way messages show a file name (quoted_name.h).
inline std::string quoted_name(const std::filesystem::path& file) { return quoted_name(std::string_view(file.native())); }

}  // namespace taviro
