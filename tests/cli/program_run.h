// Runs the built taviro-convert as a user would, without a shell in between, so
// that names with blanks, quotes or a leading "-" reach it exactly as given.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace taviro::testing {

struct ProgramOutcome {
    int status = -1;  // the exit status; -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs `program` with `arguments` in `folder`; its standard output and error go
// to files in `folder` that are read back and removed. With `as_user`, a
// superuser runs it as that user, so that file modes stop it.
ProgramOutcome run_program(const std::string& program, const std::vector<std::string>& arguments,
                           const std::filesystem::path& folder, std::optional<unsigned> as_user = std::nullopt);

}  // namespace taviro::testing
