// The bad-input table through taviro-convert: every case exits with its status
// and message, and the source is never changed. A name can begin with "-", so
// the names always follow "--".

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>

#include "bad_inputs.h"
#include "program_run.h"
#include "taviro/run/file_error.h"

namespace taviro {
namespace {

namespace fs = std::filesystem;
using testing::BadDictionary;
using testing::BadInput;
using testing::ProgramOutcome;
using testing::TemporaryFolder;
using testing::read_bytes;
using testing::utf16le_bytes;
using testing::write_bytes;

constexpr int kCompleted = 0;
constexpr int kNotCompleted = 1;
constexpr int kWrongUsage = 2;

// What standard error may hold: nothing on success but the warning for a
// source without a Gurmukhi letter, one line with the reason on failure.
void expect_messages(const BadInput& input, const std::string& err) {
    if (input.outcome == RunOutcome::completed) {
        if (!err.empty()) {
            EXPECT_EQ(err, "taviro-convert: warning: " + quoted_name(input.source) + " holds no Gurmukhi letter\n");
        }
        return;
    }
    EXPECT_TRUE(err.starts_with("taviro-convert: ")) << err;
    EXPECT_TRUE(err.ends_with("\n")) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

std::optional<std::string> bytes_if_file(const fs::path& file) {
    std::error_code error;
    if (!fs::is_regular_file(file, error)) return std::nullopt;
    return read_bytes(file);
}

class BadInputProgram : public ::testing::TestWithParam<BadInput> {
protected:
    void SetUp() override {
        write_bytes(folder / "in.txt", utf16le_bytes(testing::kSourceText));
        testing::make_database(folder / "split.mdb",
                               "CREATE TABLE words (words TEXT); INSERT INTO words VALUES ('kamal'), ('nayan');");
    }

    ProgramOutcome run(const std::vector<std::string>& arguments) {
        return testing::run_program(TAVIRO_CONVERT, arguments, folder.path());
    }

    TemporaryFolder folder;
};

TEST_P(BadInputProgram, ExitsWithItsStatusAndLeavesTheSourceAlone) {
    const BadInput& input = GetParam();
    input.prepare(folder);
    // The windows refuse a folder as the destination; the command line
    // converts into it under the source's own name, as cp copies.
    if (std::error_code error; fs::is_directory(folder.path() / input.destination, error)) {
        const ProgramOutcome outcome = run({"--dictionary", "split.mdb", "--", input.source, input.destination});
        EXPECT_EQ(outcome.status, kCompleted) << outcome.err;
        EXPECT_EQ(outcome.err, "");
        EXPECT_EQ(read_bytes(folder.path() / input.destination / input.source), testing::converted_source_bytes());
        return;
    }
    const fs::path source = folder.path() / input.source;
    const std::optional<std::string> source_before = bytes_if_file(source);
    const std::string in_txt_before = read_bytes(folder / "in.txt");
    const fs::path destination =
        folder.path() / (input.destination.ends_with(".txt") ? input.destination : input.destination + ".txt");
    const std::optional<std::string> destination_before = bytes_if_file(destination);

    const ProgramOutcome outcome =
        testing::run_program(TAVIRO_CONVERT, {"--dictionary", "split.mdb", "--", input.source, input.destination},
                             folder.path(), input.permission_case);
    if (outcome.status == 126 && input.permission_case) {
        GTEST_SKIP() << "the superuser's powers over file modes cannot be dropped here";
    }

    EXPECT_EQ(outcome.status, input.outcome == RunOutcome::completed ? kCompleted : kNotCompleted) << outcome.err;
    expect_messages(input, outcome.err);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(bytes_if_file(source), source_before) << "the source was changed";
    EXPECT_EQ(read_bytes(folder / "in.txt"), in_txt_before) << "in.txt was changed";
    if (input.output) {
        EXPECT_EQ(read_bytes(destination), *input.output);
    }
    if (input.outcome != RunOutcome::completed) {
        EXPECT_EQ(bytes_if_file(destination), destination_before) << "the destination was changed";
    }
    if (input.reason != nullptr) {
        EXPECT_NE(outcome.err.find(input.reason), std::string::npos) << outcome.err;
    }
    EXPECT_FALSE(std::any_of(outcome.err.begin(), outcome.err.end(),
                             [](char c) { return c != '\n' && std::iscntrl(static_cast<unsigned char>(c)); }))
        << "a control character reached the terminal";
}

INSTANTIATE_TEST_SUITE_P(Cases, BadInputProgram, ::testing::ValuesIn(testing::bad_inputs()),
                         [](const ::testing::TestParamInfo<BadInput>& info) { return std::string(info.param.name); });

// Without "--" a name with a leading "-" is a bundle of short options, here
// an unknown one: nothing is opened.
TEST_F(BadInputProgram, LeadingDashWithoutDoubleDashIsWrongUsage) {
    write_bytes(folder / "-in.txt", utf16le_bytes(testing::kSourceText));
    const ProgramOutcome outcome = run({"--dictionary", "split.mdb", "-in.txt", "out.txt"});
    EXPECT_EQ(outcome.status, kWrongUsage);
    EXPECT_TRUE(outcome.err.starts_with("taviro-convert: invalid option -- 'i'\n")) << outcome.err;
    EXPECT_EQ(read_bytes(folder / "-in.txt"), utf16le_bytes(testing::kSourceText));
    EXPECT_FALSE(fs::exists(folder / "out.txt"));
}

class BadDictionaryProgram : public ::testing::TestWithParam<BadDictionary> {
protected:
    TemporaryFolder folder;
};

TEST_P(BadDictionaryProgram, StopsBeforeTheRunOrConverts) {
    const BadDictionary& bad = GetParam();
    write_bytes(folder / "in.txt", utf16le_bytes(testing::kSourceText));
    const std::string name = bad.make(folder);
    const std::optional<std::string> before = bytes_if_file(folder.path() / name);
    std::optional<testing::DatabaseLock> lock;
    if (bad.locked) lock.emplace(folder.path() / name);

    const ProgramOutcome outcome =
        testing::run_program(TAVIRO_CONVERT, {"--dictionary", name, "in.txt", "out.txt"}, folder.path());
    lock.reset();

    EXPECT_EQ(bytes_if_file(folder.path() / name), before) << "the dictionary was changed";
    EXPECT_EQ(read_bytes(folder / "in.txt"), utf16le_bytes(testing::kSourceText));
    if (bad.refusal != nullptr) {
        EXPECT_EQ(outcome.status, kNotCompleted);
        EXPECT_TRUE(outcome.err.starts_with("taviro-convert: ")) << outcome.err;
        EXPECT_NE(outcome.err.find(bad.refusal), std::string::npos) << outcome.err;
        EXPECT_NE(outcome.err.find(name), std::string::npos) << outcome.err;
        EXPECT_FALSE(fs::exists(folder / "out.txt"));
        return;
    }
    EXPECT_EQ(outcome.status, kCompleted) << outcome.err;
    EXPECT_EQ(read_bytes(folder / "out.txt"), testing::converted_source_bytes());
}

INSTANTIATE_TEST_SUITE_P(Cases, BadDictionaryProgram, ::testing::ValuesIn(testing::bad_dictionaries()),
                         [](const ::testing::TestParamInfo<BadDictionary>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace taviro
