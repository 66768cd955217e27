#include "program_run.h"

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace taviro::testing {
namespace {

constexpr int kCannotDropPowers = 126;

// The superuser's powers to read, write and search whatever the file modes
// say. Taken out of the bounding set, they are gone from the program that
// exec starts, which stays the superuser and can still reach its own folder
// wherever the checkout lies.
bool drop_file_mode_powers() {
    return ::prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0) == 0 &&
           ::prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH, 0, 0, 0) == 0;
}

std::string take_file(const std::filesystem::path& file) {
    std::string bytes;
    {
        std::ifstream stream(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    }
    std::filesystem::remove(file);
    return bytes;
}

// In the child: only async-signal-safe calls until exec.
[[noreturn]] void exec_in(const std::filesystem::path& folder, const std::filesystem::path& out,
                          const std::filesystem::path& err, bool within_file_modes, std::vector<char*>& argv) {
    const int out_fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err_fd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out_fd < 0 || err_fd < 0 || ::dup2(out_fd, 1) < 0 || ::dup2(err_fd, 2) < 0) {
        ::_exit(127);
    }
    if (within_file_modes && ::geteuid() == 0 && !drop_file_mode_powers()) {
        ::_exit(kCannotDropPowers);
    }
    if (::chdir(folder.c_str()) != 0) {
        ::_exit(127);
    }
    ::execv(argv[0], argv.data());
    ::_exit(127);
}

}  // namespace

ProgramOutcome run_program(const std::string& program, const std::vector<std::string>& arguments,
                           const std::filesystem::path& folder, bool within_file_modes) {
    const std::filesystem::path out = folder / ".program-stdout";
    const std::filesystem::path err = folder / ".program-stderr";
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    const pid_t child = ::fork();
    if (child < 0) throw std::runtime_error("cannot start " + program);
    if (child == 0) exec_in(folder, out, err, within_file_modes, argv);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    ProgramOutcome outcome;
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.out = take_file(out);
    outcome.err = take_file(err);
    return outcome;
}

}  // namespace taviro::testing
