#include "taviro/terminal/program_folder.h"

#include <system_error>

namespace taviro {

std::filesystem::path program_folder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : program.parent_path();
}

}  // namespace taviro
