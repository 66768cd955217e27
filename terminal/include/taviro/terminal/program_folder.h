// Where the running program lies, for the files installed beside it.
#pragma once

#include <filesystem>

namespace taviro {

// The folder of the running program's own file, as the system knows it
// (through /proc/self/exe, whatever name or link started it); the current
// folder when the system does not say.
std::filesystem::path program_folder();

}  // namespace taviro
