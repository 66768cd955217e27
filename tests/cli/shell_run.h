// Runs a shell command line in a folder, for the tests that need what only a
// shell gives: pipes and redirected standard input.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "program_run.h"

namespace taviro::testing {

// `text` as one shell word, whatever it holds.
std::string shell_quoted(std::string_view text);

// Runs `command` with /bin/sh in `folder`; its standard output and error are
// collected (the command may redirect them itself only for parts of a pipe).
ProgramOutcome run_shell(const std::string& command, const std::filesystem::path& folder);

}  // namespace taviro::testing
