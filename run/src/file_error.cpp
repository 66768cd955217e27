#include "taviro/run/file_error.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace taviro {
RunError file_error(std::string_view action, const std::filesystem::path& file) {
    const int error = errno;
    std::string message = "cannot " + std::string(action) + " " + quoted_name(file);
    if (error != 0) {
        message += ": ";
        message += std::strerror(error);
    }
    return RunError(message, error);
}

}  // namespace taviro
