// Runs the built taviro-convert on temporary files, as a user would.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "taviro/sqlite/database.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& argument) {
    std::string text = "'";
    for (const char c : argument) {
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return text + "'";
}

std::string read_bytes(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

void write_bytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string utf16le(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

class TaviroConvert : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("taviro-cli-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        write_bytes(folder_ / "in.txt", utf16le(u"ਕਮਲਨਯਨ ਕਿ\n"));
        make_dictionary(folder_ / "split.mdb");
    }
    void TearDown() override { fs::remove_all(folder_); }

    static void make_dictionary(const fs::path& file) {
        taviro::sqlite::Database database(file, taviro::sqlite::OpenMode::create, "cannot make the dictionary");
        database.execute("CREATE TABLE words (words TEXT); INSERT INTO words VALUES ('kamal'), ('nayan');");
        database.close();
    }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    Outcome run(const std::vector<std::string>& arguments) const {
        std::string command = quoted(TAVIRO_CONVERT);
        for (const std::string& argument : arguments) {
            command += " " + quoted(argument);
        }
        command += " >" + quoted(path("stdout")) + " 2>" + quoted(path("stderr"));
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_bytes(path("stdout")), read_bytes(path("stderr"))};
    }

    fs::path folder_;
};

// Before: every run ended with "The Transliteration process is complete." on
// the terminal, in the middle of a pipe's output too.
TEST_F(TaviroConvert, ConvertsSilently) {
    const Outcome outcome = run({"--dictionary", path("split.mdb"), path("in.txt"), path("out.txt")});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(read_bytes(path("out.txt")), utf16le(u"kamalnayan ki\r\n"));
}

TEST_F(TaviroConvert, VerboseNamesTheFilesAndEncodings) {
    const Outcome outcome = run({"-v", "--dictionary", path("split.mdb"), path("in.txt"), path("out")});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err,
              "taviro-convert: '" + path("in.txt") + "' -> '" + path("out.txt") + "' (utf-16le to utf-16le)\n");
}

// Before: "roman/" became "roman/.txt".
TEST_F(TaviroConvert, DestinationFolderGetsTheSourceName) {
    fs::create_directory(path("roman"));
    for (const std::string& folder : {path("roman"), path("roman") + "/"}) {
        fs::remove(path("roman/in.txt"));
        const Outcome outcome = run({"--dictionary", path("split.mdb"), path("in.txt"), folder});
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(read_bytes(path("roman/in.txt")), utf16le(u"kamalnayan ki\r\n")) << folder;
    }
    EXPECT_FALSE(fs::exists(path("roman.txt")));
    EXPECT_FALSE(fs::exists(path("roman/.txt")));

    const Outcome from_input = run({"-", path("roman")});
    EXPECT_EQ(from_input.status, 1);
    EXPECT_EQ(from_input.err,
              "taviro-convert: standard input has no name to keep in the folder '" + path("roman") + "'\n");
}

// The run still converts: the warning is for a binary file or a wrongly
// encoded one, which would otherwise pass unnoticed. -q does not hide it.
TEST_F(TaviroConvert, SourceWithoutAGurmukhiLetterIsConvertedWithAWarning) {
    write_bytes(path("latin.txt"), utf16le(u"kamal\n"));
    const Outcome outcome = run({"-q", "--dictionary", path("split.mdb"), path("latin.txt"), path("out.txt")});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "taviro-convert: warning: '" + path("latin.txt") + "' holds no Gurmukhi letter\n");
    EXPECT_EQ(read_bytes(path("out.txt")), utf16le(u"kamal\r\n"));
}

TEST_F(TaviroConvert, DictionaryOptionTakesTheEqualsFormAndMayFollowTheNames) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--dictionary=" + path("split.mdb"), path("in.txt"), path("out.txt")},
          {path("in.txt"), path("out.txt"), "--dictionary", path("split.mdb")}}) {
        fs::remove(path("out.txt"));
        EXPECT_EQ(run(arguments).status, 0) << arguments.front();
        EXPECT_EQ(read_bytes(path("out.txt")), utf16le(u"kamalnayan ki\r\n")) << arguments.front();
    }
}

TEST_F(TaviroConvert, EveryFormOfJobsGivesTheSameText) {
    for (const std::vector<std::string>& jobs :
         {std::vector<std::string>{"-j", "1"}, {"-j3"}, {"--jobs=2"}, {"--jobs", "2"}, {"--jo=2"}, {"-qj1"},
          {"-qj", "2"}, {"-vqj2"}}) {
        std::vector<std::string> arguments = jobs;
        arguments.insert(arguments.end(), {"--dictionary", path("split.mdb"), path("in.txt"), path("out.txt")});
        EXPECT_EQ(run(arguments).status, 0) << jobs.front();
        EXPECT_EQ(read_bytes(path("out.txt")), utf16le(u"kamalnayan ki\r\n")) << jobs.front();
    }
}

TEST_F(TaviroConvert, UsesWordsMdbBesideTheProgramByDefault) {
    const Outcome outcome = run({path("in.txt"), path("out.txt")});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(read_bytes(path("out.txt")).starts_with("\xFF\xFE"));
}

TEST_F(TaviroConvert, AppendsTxtToTheDestinationName) {
    EXPECT_EQ(run({"--dictionary", path("split.mdb"), path("in.txt"), path("out")}).status, 0);
    EXPECT_TRUE(fs::exists(path("out.txt")));
    EXPECT_FALSE(fs::exists(path("out")));
}

// Before: the windows' sentence came first ("File does not Exist. Please
// enter a valid filename.") and the reason on a second line.
TEST_F(TaviroConvert, RefusalsExitWithOneAndOneLineOfReason) {
    struct Refusal {
        std::string source;
        std::string destination;
        std::string reason;
    };
    for (const Refusal& refusal :
         {Refusal{path("missing.txt"), path("out.txt"), "'" + path("missing.txt") + "': No such file or directory"},
          Refusal{"", path("out.txt"), "a file name is empty"},
          // Before: the name was checked as given and opened trimmed, so the blank one read in.txt.
          Refusal{" " + path("in.txt"), path("out.txt"), "' " + path("in.txt") + "': No such file or directory"},
          // Before: "cannot create '.../nosuchdir/.txt'", a name nobody gave.
          Refusal{path("in.txt"), path("nosuchdir/"), "'" + path("nosuchdir/") + "': No such file or directory"},
          Refusal{path("in.txt"), path("in.txt"), "'" + path("in.txt") + "' and '" + path("in.txt") +
                                                      "' are the same file"}}) {
        SCOPED_TRACE(refusal.source + " -> " + refusal.destination);
        const Outcome outcome = run({"--dictionary", path("split.mdb"), refusal.source, refusal.destination});
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.err, "taviro-convert: " + refusal.reason + "\n");
    }
    EXPECT_EQ(read_bytes(path("in.txt")), utf16le(u"ਕਮਲਨਯਨ ਕਿ\n"));
}

// Before: a trailing blank was dropped, and an unrelated out.txt replaced.
TEST_F(TaviroConvert, NamesAreUsedAsGiven) {
    write_bytes(path("out.txt"), "keep");
    for (const std::string name : {"out.txt ", "  "}) {
        SCOPED_TRACE("'" + name + "'");
        EXPECT_EQ(run({"--dictionary", path("split.mdb"), path("in.txt"), path(name)}).status, 0);
        EXPECT_TRUE(fs::is_regular_file(path(name + ".txt")));
    }
    EXPECT_EQ(read_bytes(path("out.txt")), "keep");
}

TEST_F(TaviroConvert, ABinaryIsNotATextFile) {
    write_bytes(path("ls.txt"), std::string("\x7F" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0\x3E\0\x01\0\0\0\x90", 25));
    const Outcome outcome = run({"--dictionary", path("split.mdb"), path("ls.txt"), path("out.txt")});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "taviro-convert: '" + path("ls.txt") + "' is not a text file\n");
    EXPECT_FALSE(fs::exists(path("out.txt")));
}

TEST_F(TaviroConvert, FailureIsOneLineWithTheReason) {
    // The byte-order mark says UTF-16, and the last character is cut in half.
    write_bytes(path("odd.txt"), "\xFF\xFE" "abc");
    const Outcome outcome = run({"--dictionary", path("split.mdb"), path("odd.txt"), path("out.txt")});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(outcome.err.starts_with("taviro-convert: cannot read '" + path("odd.txt") + "'")) << outcome.err;
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
}

TEST_F(TaviroConvert, BrokenDictionaryStopsBeforeTheRun) {
    write_bytes(path("broken.mdb"), "not a database, only text that is long enough to look like a header");
    const Outcome outcome = run({"--dictionary", path("broken.mdb"), path("in.txt"), path("out.txt")});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("broken.mdb"), std::string::npos) << outcome.err;
    EXPECT_FALSE(fs::exists(path("out.txt")));
    EXPECT_EQ(run({"--dictionary", path("none.mdb"), path("in.txt"), path("out.txt")}).status, 1);
    EXPECT_FALSE(fs::exists(path("none.mdb")));
}

TEST_F(TaviroConvert, WrongUsageExitsWithTwoAndOneProblem) {
    struct WrongUsage {
        std::vector<std::string> arguments;
        std::string problem;
    };
    for (const WrongUsage& wrong : std::vector<WrongUsage>{
             {{}, "missing file operand"},
             {{"a.txt"}, "missing destination file operand after 'a.txt'"},
             {{"a.txt", "b.txt", "c.txt"}, "extra operand 'c.txt'"},
             {{"--frobnicate", "a", "b"}, "unrecognized option '--frobnicate'"},
             {{"-qx", "a", "b"}, "invalid option -- 'x'"},
             {{"--ver", "a", "b"}, "option '--ver' is ambiguous; possibilities: '--verbose' '--version'"},
             {{"--quiet=yes", "a", "b"}, "option '--quiet' doesn't allow an argument"},
             {{"a.txt", "b.txt", "--dictionary"}, "option '--dictionary' requires an argument"},
             {{"a.txt", "b.txt", "-qj"}, "option requires an argument -- 'j'"},
             {{"-j", "0", "a.txt", "b.txt"}, "'0' is no number of threads for --jobs (1 to 256)"},
             {{"--jobs=two", "a.txt", "b.txt"}, "'two' is no number of threads for --jobs (1 to 256)"},
             {{"-j2x", "a.txt", "b.txt"}, "'2x' is no number of threads for --jobs (1 to 256)"},
         }) {
        const Outcome outcome = run(wrong.arguments);
        EXPECT_EQ(outcome.status, 2) << wrong.problem;
        EXPECT_EQ(outcome.err,
                  "taviro-convert: " + wrong.problem + "\nTry 'taviro-convert --help' for more information.\n");
    }
}

TEST_F(TaviroConvert, HelpAndVersionGoToStandardOutput) {
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: taviro-convert [--dictionary FILE] SOURCE DESTINATION\n"));
    const Outcome version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.starts_with("taviro-convert " TAVIRO_VERSION " (Unicode ")) << version.out;
}

TEST_F(TaviroConvert, DoubleDashEndsTheOptions) {
    const fs::path previous = fs::current_path();
    fs::current_path(folder_);
    write_bytes("--in.txt", utf16le(u"ਕਿ"));
    const Outcome outcome = run({"--dictionary", "split.mdb", "--", "--in.txt", "out.txt"});
    fs::current_path(previous);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(read_bytes(path("out.txt")), utf16le(u"ki"));
}

}  // namespace
