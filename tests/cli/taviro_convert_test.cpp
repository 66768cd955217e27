// Runs the built taviro-convert on temporary files, as a user would.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

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

TEST_F(TaviroConvert, ConvertsAndReportsCompletion) {
    const Outcome outcome = run({"--dictionary", path("split.mdb"), path("in.txt"), path("out.txt")});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "The Transliteration process is complete.\n");
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(read_bytes(path("out.txt")), utf16le(u"kamalnayan ki\r\n"));
}

TEST_F(TaviroConvert, DictionaryOptionTakesTheEqualsForm) {
    EXPECT_EQ(run({"--dictionary=" + path("split.mdb"), path("in.txt"), path("out.txt")}).status, 0);
    EXPECT_EQ(read_bytes(path("out.txt")), utf16le(u"kamalnayan ki\r\n"));
}

TEST_F(TaviroConvert, EveryFormOfJobsGivesTheSameText) {
    for (const std::vector<std::string>& jobs : {std::vector<std::string>{"-j", "1"}, {"-j3"}, {"--jobs=2"}}) {
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

TEST_F(TaviroConvert, RefusalsExitWithOneAndTheMessage) {
    struct Refusal {
        std::string source;
        std::string destination;
        std::string message;
    };
    const std::string invalid = "Please enter valid source and destination unicode text files.\n";
    for (const Refusal& refusal :
         {Refusal{path("missing.txt"), path("out.txt"), "File does not Exist. Please enter a valid filename.\n"},
          Refusal{"", path("out.txt"), invalid}, Refusal{path("in.txt"), path("in.txt"), invalid}}) {
        SCOPED_TRACE(refusal.source + " -> " + refusal.destination);
        const Outcome outcome = run({"--dictionary", path("split.mdb"), refusal.source, refusal.destination});
        EXPECT_EQ(outcome.status, 1);
        EXPECT_TRUE(outcome.err.starts_with(refusal.message)) << outcome.err;
    }
    EXPECT_EQ(read_bytes(path("in.txt")), utf16le(u"ਕਮਲਨਯਨ ਕਿ\n"));
}

TEST_F(TaviroConvert, FailureGivesTheMessageAndTheReason) {
    // The byte-order mark says UTF-16, and the last character is cut in half.
    write_bytes(path("odd.txt"), "\xFF\xFE" "abc");
    const Outcome outcome = run({"--dictionary", path("split.mdb"), path("odd.txt"), path("out.txt")});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(outcome.err.starts_with("Please enter valid source and destination unicode text files.\n"
                                        "taviro-convert: "))
        << outcome.err;
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

TEST_F(TaviroConvert, WrongUsageExitsWithTwo) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, {path("in.txt")}, {"a.txt", "b.txt", "c.txt"}, {"--frobnicate", "a", "b"},
          {"a.txt", "b.txt", "--dictionary"}, {"-j", "0", "a.txt", "b.txt"}, {"--jobs=two", "a.txt", "b.txt"},
          {"-j2x", "a.txt", "b.txt"}}) {
        const Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_NE(outcome.err.find("--help"), std::string::npos) << outcome.err;
    }
}

TEST_F(TaviroConvert, HelpAndVersionGoToStandardOutput) {
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: taviro-convert [--dictionary FILE] SOURCE DESTINATION\n"));
    const Outcome version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "taviro-convert " TAVIRO_VERSION "\n");
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
