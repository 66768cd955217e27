#include "shell_run.h"

#include <sys/wait.h>

#include <cstdlib>

#include "run_test_files.h"

namespace taviro::testing {

std::string shell_quoted(std::string_view text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

ProgramOutcome run_shell(const std::string& command, const std::filesystem::path& folder) {
    const std::filesystem::path out = folder / ".shell-out";
    const std::filesystem::path err = folder / ".shell-err";
    const std::string line = "cd " + shell_quoted(folder.string()) + " && { " + command + " ; } >" +
                             shell_quoted(out.string()) + " 2>" + shell_quoted(err.string());
    const int status = std::system(line.c_str());
    ProgramOutcome outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_bytes(out), read_bytes(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return outcome;
}

}  // namespace taviro::testing
