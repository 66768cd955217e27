// Runs the built taviro-convert as a user would, without a shell in between, so
// that names with blanks, quotes or a leading "-" reach it exactly as given.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace taviro::testing {

struct ProgramOutcome {
    int status = -1;  // the exit status; -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs `program` with `arguments` in `folder`; its standard output and error go
// to files in `folder` that are read back and removed. With `within_file_modes`,
// a superuser runs it without the powers that pass over file modes, so that
// they stop it as they stop anyone; it exits with 126 when they cannot be dropped.
ProgramOutcome run_program(const std::string& program, const std::vector<std::string>& arguments,
                           const std::filesystem::path& folder, bool within_file_modes = false);

}  // namespace taviro::testing
