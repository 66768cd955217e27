// The RunError for a failed file operation, with the system's reason.
#pragma once

#include <filesystem>
#include <string_view>

#include "taviro/run/run_error.h"

namespace taviro {

// `action` is a verb such as "open" or "write"; the reason comes from errno.
RunError file_error(std::string_view action, const std::filesystem::path& file);

}  // namespace taviro
