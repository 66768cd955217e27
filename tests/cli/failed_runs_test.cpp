// Runs that fail, or are stopped, partway: whatever the reason, the program says
// why, exits with a failure, and the destination or dictionary is exactly as it
// was, with nothing left beside it. Faults the system would rarely give on its
// own are made with strace.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "run_test_files.h"
#include "shell_run.h"

namespace taviro {
namespace {

namespace fs = std::filesystem;
using testing::read_bytes;
using testing::run_shell;
using testing::shell_quoted;
using testing::write_bytes;

constexpr const char* kOld = "the old destination\n";
constexpr mode_t kPrivate = 0600;

// What a run leaves in its folder that the test did not put there.
std::vector<std::string> leftovers(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(".taviro-") || name.find("lexicon-edit") != std::string::npos ||
            name.ends_with("-journal")) {
            names.push_back(name);
        }
    }
    return names;
}

mode_t mode_of(const fs::path& file) {
    struct stat status {};
    return ::stat(file.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

struct FailedRun {
    const char* name;
    const char* command;  // $CONVERT, $DICT and $FAULT (strace injecting) are set
    const char* reason;   // on standard error
    const char* kept;     // the file that must be as it was
};
void PrintTo(const FailedRun& c, std::ostream* os) { *os << c.name; }

class FailedRuns : public ::testing::TestWithParam<FailedRun> {};

TEST_P(FailedRuns, SayWhyAndKeepTheOldFile) {
    const FailedRun& run = GetParam();
    testing::TemporaryFolder folder;
    write_bytes(folder / "in.txt", "ਕਮਲਨਯਨ ਕਿ ਪੰਜਾਬੀ।\n");
    write_bytes(folder / "words.txt", "ਕਮਲ\nਨਯਨ\n");
    fs::create_directory(folder / "folder");
    ASSERT_EQ(run_shell(shell_quoted(TAVIRO_DICT) + " build words.txt -o my.mdb", folder.path()).status, 0);
    write_bytes(folder / "out.txt", kOld);
    fs::permissions(folder / "out.txt", static_cast<fs::perms>(kPrivate));
    const std::string before = read_bytes(folder / run.kept);

    // LeakSanitizer cannot work in a program that strace follows.
    const std::string setup = "export ASAN_OPTIONS=detect_leaks=0; CONVERT=" + shell_quoted(TAVIRO_CONVERT) + " DICT=" + shell_quoted(TAVIRO_DICT) +
                              " FAULT='strace -f -o /dev/null -e inject='; ";
    const auto outcome = run_shell(setup + run.command, folder.path());
    EXPECT_EQ(outcome.status, 1) << outcome.err;
    EXPECT_NE(outcome.err.find(run.reason), std::string::npos) << outcome.err;
    EXPECT_EQ(read_bytes(folder / run.kept), before);
    EXPECT_EQ(mode_of(folder / "out.txt"), kPrivate);
    EXPECT_EQ(leftovers(folder.path()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedRuns,
    ::testing::Values(
        // Before: taken for the end of the text, and the destination replaced.
        FailedRun{"ReadErrorOnStandardInput", "$CONVERT - out.txt < folder",
                  "cannot read standard input: Is a directory", "out.txt"},
        FailedRun{"ReadErrorOnAWordListToImport", "$DICT import --dictionary my.mdb folder",
                  "cannot read 'folder': Is a directory", "my.mdb"},
        // Before: the destination came back readable by everyone, exit 0.
        FailedRun{"ModeThatCannotBeKept", "${FAULT}fchmod:error=EPERM $CONVERT in.txt out.txt",
                  "cannot keep the permissions of 'out.txt': Operation not permitted", "out.txt"},
        FailedRun{"WriteErrorNamesItsReason", "$CONVERT -q in.txt - > /dev/full",
                  "cannot write standard output: No space left on device", "out.txt"},
        FailedRun{"SyncErrorOfADictionaryEdit", "${FAULT}fsync:error=EIO $DICT add --dictionary my.mdb ਕਮਲ kamaal",
                  "cannot write 'my.mdb': Input/output error", "my.mdb"}),
    [](const auto& info) { return std::string(info.param.name); });

// An edit of an earlier version that was killed left its scratch copy and that
// copy's journal; replayed onto another dictionary of the same name, the
// journal wiped it. They are thrown away, and the edit says so.
TEST(InterruptedEdit, ScratchFilesLeftBehindAreDiscardedNotReplayed) {
    testing::TemporaryFolder folder;
    write_bytes(folder / "words.txt", "ਕਮਲ\nਨਯਨ\n");
    const std::string dict = shell_quoted(TAVIRO_DICT);
    ASSERT_EQ(run_shell(dict + " build words.txt -o my.mdb", folder.path()).status, 0);
    write_bytes(folder / "my.mdb.lexicon-edit", read_bytes(folder / "my.mdb"));
    write_bytes(folder / "my.mdb.lexicon-edit-journal", std::string(4096, '\xd9'));

    const auto outcome = run_shell(dict + " add --dictionary my.mdb ਜਲੰਧਰ jalandhar", folder.path());
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.err.find("discarded 'my.mdb.lexicon-edit-journal', left by an edit that was interrupted"),
              std::string::npos)
        << outcome.err;
    EXPECT_EQ(leftovers(folder.path()), std::vector<std::string>{});
    EXPECT_EQ(run_shell(dict + " lookup --dictionary my.mdb nayan", folder.path()).out,
              "nayan: stem yes (1 row), part yes\n");
    EXPECT_EQ(run_shell(dict + " list --dictionary my.mdb", folder.path()).out, "ਜਲੰਧਰ\tjalandhar\n");
}

// The kernel lets go of a killed editor's lock: the next edit neither waits
// for it nor loses what it adds.
TEST(InterruptedEdit, AnEditKilledHoldingTheLockDoesNotBlockTheNext) {
    testing::TemporaryFolder folder;
    write_bytes(folder / "words.txt", "ਕਮਲ\nਨਯਨ\n");
    const std::string dict = shell_quoted(TAVIRO_DICT);
    ASSERT_EQ(run_shell(dict + " build words.txt -o my.mdb", folder.path()).status, 0);
    const auto killed = run_shell("export ASAN_OPTIONS=detect_leaks=0; strace -f -o /dev/null -e inject=rename:signal=KILL " +
                                      dict + " add --dictionary my.mdb ਕਮਲ kamaal",
                                  folder.path());
    ASSERT_NE(killed.status, 0);

    const auto next = run_shell(dict + " add --dictionary my.mdb ਨਯਨ nain", folder.path());
    EXPECT_EQ(next.status, 0) << next.err;
    EXPECT_EQ(run_shell(dict + " list --dictionary my.mdb", folder.path()).out, "ਨਯਨ\tnain\n");
    EXPECT_EQ(leftovers(folder.path()), std::vector<std::string>{});
}

// Ctrl-C, SIGTERM and SIGHUP in the middle of a run: the temporary file goes,
// the destination stays, and the program ends by the signal, as a shell expects.
// The second pass makes the file system refuse an unnamed temporary file, so
// that the named one is made, and must be removed.
TEST(InterruptedRun, EndsByTheSignalAndLeavesNothingBehind) {
    struct Signal {
        const char* name;
        const char* status;  // as the shell reports it: 128 + the signal's number
    };
    const std::string program = shell_quoted(TAVIRO_CONVERT);
    for (const bool named : {false, true}) {
        for (const Signal signal : {Signal{"INT", "130"}, Signal{"TERM", "143"}, Signal{"HUP", "129"}}) {
            SCOPED_TRACE(std::string(signal.name) + (named ? ", named temporary file" : ""));
            testing::TemporaryFolder folder;
            write_bytes(folder / "in.txt", "ਕਮਲਨਯਨ ਕਿ ਪੰਜਾਬੀ।\n");
            const std::string destination = folder / "out.txt";
            // Which openat asks for the unnamed file, counted on a first run.
            const std::string count_openat =
                "export ASAN_OPTIONS=detect_leaks=0; cp out.txt count.txt; n=$(strace -f -e trace=openat " + program +
                " - count.txt < in.txt 2>&1 | grep '^openat(' | grep -n O_TMPFILE | cut -d: -f1); rm count.txt; ";
            // A shell starts the programs of a script in the background with
            // Ctrl-C ignored, which they honour; a terminal's would not be.
            // The text does not end until the fifo is written, after the signal.
            const std::string start = std::string("mkfifo more; (cat in.txt; cat more) | env --default-signal=INT ") +
                                      (named ? "strace -f -o /dev/null -e inject=openat:error=EOPNOTSUPP:when=$n " : "");
            const std::string pattern = "'^'" + shell_quoted(std::string(TAVIRO_CONVERT) + " - " + destination);
            // Waits until the program has its temporary file open in the folder.
            const std::string wait_for_temporary = "for i in $(seq 100); do ls -l /proc/$(pgrep -n -f " + pattern +
                                                   ")/fd 2>/dev/null | grep -qF -e " + shell_quoted(folder.path().string() + "/#") +
                                                   " -e " + shell_quoted(folder.path().string() + "/.taviro-") +
                                                   " && break; sleep 0.1; done; ";
            const std::string command = (named ? count_openat : std::string()) + start + program + " - " +
                                        shell_quoted(destination) + " & " + wait_for_temporary +
                                        "ls -a | grep -c '^[.]taviro-'; pkill -" + signal.name + " -f " + pattern +
                                        "; : > more; wait $!; echo $?";
            write_bytes(destination, kOld);
            const auto outcome = run_shell(command, folder.path());
            EXPECT_EQ(outcome.out, std::string(named ? "1\n" : "0\n") + signal.status + "\n") << outcome.err;
            EXPECT_EQ(leftovers(folder.path()), std::vector<std::string>{});
            EXPECT_EQ(read_bytes(destination), kOld);
        }
    }
}

}  // namespace
}  // namespace taviro
