#include "taviro/run/file_error.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "taviro/convert/failure_kind.h"

namespace taviro {
RunError file_error(std::string_view action, const std::filesystem::path& file) {
    const int error = errno;
    return RunError(cannot(action, quoted_name(file), error != 0 ? std::strerror(error) : ""), error);
}

}  // namespace taviro
