// The bad-input table through the run and a recording view: every case ends in
// its outcome with its message, and the source is never changed.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "bad_inputs.h"
#include "recording_run_view.h"
#include "taviro/run/word_store.h"

namespace taviro {
namespace {

namespace fs = std::filesystem;
using testing::BadDictionary;
using testing::BadInput;
using testing::RecordingRunView;
using testing::TemporaryFolder;
using testing::read_bytes;
using testing::utf16le_bytes;
using testing::write_bytes;

std::string expected_message(RunOutcome outcome) {
    switch (outcome) {
    case RunOutcome::completed:
        return "inform " + std::string(kCompletedMessage);
    case RunOutcome::missing_source:
        return "warn " + std::string(kMissingSourceMessage);
    case RunOutcome::invalid_names:
    case RunOutcome::failed:
        break;
    }
    return "warn " + std::string(kInvalidNamesMessage);
}

std::optional<std::string> bytes_if_file(const fs::path& file) {
    std::error_code error;
    if (!fs::is_regular_file(file, error)) return std::nullopt;
    return read_bytes(file);
}

// Runs inside the case's folder, so that its names are relative to it.
class InFolder {
public:
    explicit InFolder(const TemporaryFolder& folder) : previous_(fs::current_path()) {
        fs::current_path(folder.path());
    }
    ~InFolder() { fs::current_path(previous_); }

private:
    fs::path previous_;
};

class BadInputRun : public ::testing::TestWithParam<BadInput> {
protected:
    void SetUp() override { write_bytes(folder / "in.txt", utf16le_bytes(testing::kSourceText)); }

    TemporaryFolder folder;
    const MemoryDictionary dictionary{testing::case_dictionary_words()};
};

TEST_P(BadInputRun, EndsInItsOutcomeAndLeavesTheSourceAlone) {
    const BadInput& input = GetParam();
    input.prepare(folder);
    const InFolder in_folder(folder);
    const std::optional<std::string> source_before = bytes_if_file(input.source);
    const std::string in_txt_before = read_bytes("in.txt");
    const std::string destination =
        input.destination.ends_with(".txt") ? input.destination : input.destination + ".txt";
    const std::optional<std::string> destination_before = bytes_if_file(destination);

    RecordingRunView view(input.source, input.destination);
    RunResult result{};
    if (input.permission_case) {
        fs::permissions(folder.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                           fs::perms::others_read | fs::perms::others_exec);
        const testing::AsOrdinaryUser ordinary_user;
        if (!ordinary_user.works()) GTEST_SKIP() << "the superuser cannot act as an ordinary user here";
        result = run_conversion(view, dictionary);
    } else {
        result = run_conversion(view, dictionary);
    }

    EXPECT_EQ(result.outcome, input.outcome) << result.reason;
    ASSERT_FALSE(view.events.empty());
    const auto message = std::find_if(view.events.begin(), view.events.end(), [](const std::string& event) {
        return event.starts_with("warn ") || event.starts_with("inform ");
    });
    ASSERT_NE(message, view.events.end());
    EXPECT_EQ(*message, expected_message(input.outcome));
    EXPECT_EQ(std::count_if(view.events.begin(), view.events.end(),
                            [](const std::string& event) { return event.starts_with("inform "); }),
              input.outcome == RunOutcome::completed ? 1 : 0);
    EXPECT_EQ(bytes_if_file(input.source), source_before) << "the source was changed";
    EXPECT_EQ(read_bytes("in.txt"), in_txt_before) << "in.txt was changed";
    if (input.output) {
        EXPECT_EQ(read_bytes(destination), *input.output);
    }
    if (input.outcome != RunOutcome::completed) {
        EXPECT_EQ(bytes_if_file(destination), destination_before) << "the destination was changed";
    }
    if (input.reason != nullptr) {
        EXPECT_NE(result.reason.find(input.reason), std::string::npos) << result.reason;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BadInputRun, ::testing::ValuesIn(testing::bad_inputs()),
                         [](const ::testing::TestParamInfo<BadInput>& info) { return std::string(info.param.name); });

class BadDictionaryStore : public ::testing::TestWithParam<BadDictionary> {
protected:
    TemporaryFolder folder;
};

TEST_P(BadDictionaryStore, OpensOrRefusesWithAClearMessageAndStaysUnchanged) {
    const BadDictionary& bad = GetParam();
    write_bytes(folder / "in.txt", utf16le_bytes(testing::kSourceText));
    const std::string name = bad.make(folder);
    const InFolder in_folder(folder);
    const std::optional<std::string> before = bytes_if_file(name);
    std::optional<testing::DatabaseLock> lock;
    if (bad.locked) lock.emplace(name);

    std::optional<WordStore> store;
    std::string refusal;
    try {
        store.emplace(name);
    } catch (const StoreError& error) {
        refusal = error.what();
    }
    lock.reset();

    EXPECT_EQ(bytes_if_file(name), before) << "the dictionary was changed";
    if (bad.refusal != nullptr) {
        EXPECT_FALSE(store.has_value()) << "opened a dictionary that should be refused";
        EXPECT_NE(refusal.find(bad.refusal), std::string::npos) << refusal;
        EXPECT_NE(refusal.find(name), std::string::npos) << refusal;
        return;
    }
    ASSERT_TRUE(store.has_value()) << refusal;
    EXPECT_EQ(store->size(), bad.rows);
    RecordingRunView view("in.txt", "out.txt");
    EXPECT_EQ(run_conversion(view, *store).outcome, RunOutcome::completed);
    EXPECT_EQ(read_bytes("out.txt"), testing::converted_source_bytes());
}

INSTANTIATE_TEST_SUITE_P(Cases, BadDictionaryStore, ::testing::ValuesIn(testing::bad_dictionaries()),
                         [](const ::testing::TestParamInfo<BadDictionary>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace taviro
