#include "taviro/run/conversion_run.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "recording_run_view.h"
#include "run_test_files.h"
#include "taviro/run/store_error.h"

namespace taviro {
namespace {

using Events = std::vector<std::string>;
using testing::RecordingRunView;
using testing::TemporaryFolder;
using testing::read_bytes;
using testing::utf16le_bytes;
using testing::write_bytes;

const std::string kWarnInvalid = "warn " + std::string(kInvalidNamesMessage);

const Events kRefusal = {kWarnInvalid, "names cleared", "idle"};
const Events kMissingSource = {"warn " + std::string(kMissingSourceMessage), "names cleared"};
const Events kBusy = {"busy"};
const Events kCompletion = {"inform " + std::string(kCompletedMessage), "names cleared", "idle"};

Events joined(std::initializer_list<Events> parts) {
    Events all;
    for (const Events& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

class ConversionRun : public ::testing::Test {
protected:
    void SetUp() override { write_bytes(folder / "in.txt", kSourceBytes); }

    RunResult run(RecordingRunView& view) { return run_conversion(view, dictionary); }

    const std::string kSourceBytes = utf16le_bytes(u"ਕਿ ਪੱਕਾ\r\n");
    const std::string kOutputBytes = utf16le_bytes(u"ki pakkā\r\n");
    TemporaryFolder folder;
    MemoryDictionary dictionary;
};

TEST_F(ConversionRun, CompletesAfterBusyStateAndWritesUtf16WithByteOrderMark) {
    RecordingRunView view(folder / "in.txt", folder / "out.txt");
    EXPECT_EQ(run(view).outcome, RunOutcome::completed);
    EXPECT_EQ(view.events, joined({kBusy, kCompletion}));
    EXPECT_EQ(read_bytes(folder / "out.txt"), kOutputBytes);
}

TEST_F(ConversionRun, EmptySourceCompletesWithOnlyTheByteOrderMark) {
    write_bytes(folder / "empty.txt", "");
    RecordingRunView view(folder / "empty.txt", folder / "out.txt");
    EXPECT_EQ(run(view).outcome, RunOutcome::completed);
    EXPECT_EQ(read_bytes(folder / "out.txt"), "\xFF\xFE");
}

TEST_F(ConversionRun, DestinationIsEmptiedFirst) {
    write_bytes(folder / "out.txt", std::string(1000, 'x'));
    RecordingRunView view(folder / "in.txt", folder / "out.txt");
    run(view);
    EXPECT_EQ(read_bytes(folder / "out.txt"), kOutputBytes);
}

TEST_F(ConversionRun, DestinationWithoutExactTxtExtensionGetsTxtAppended) {
    const std::string in_folder = folder.path().string();
    struct Renaming {
        std::string typed;
        std::string opened;
    };
    for (const Renaming& renaming : {Renaming{in_folder + "/out", in_folder + "/out.txt"},
                                     Renaming{in_folder + "/out.TXT", in_folder + "/out.TXT.txt"},
                                     Renaming{in_folder + "/out.txt.bak", in_folder + "/out.txt.bak.txt"},
                                     Renaming{"  " + in_folder + "/out ", in_folder + "/out.txt"}}) {
        SCOPED_TRACE(renaming.typed);
        RecordingRunView view(folder / "in.txt", renaming.typed);
        EXPECT_EQ(run(view).outcome, RunOutcome::completed);
        EXPECT_EQ(view.events, joined({{"destination=" + renaming.opened}, kBusy, kCompletion}));
        EXPECT_EQ(read_bytes(renaming.opened), kOutputBytes);
    }
}

TEST_F(ConversionRun, DestinationWithTxtExtensionIsOpenedWithoutLeadingBlanks) {
    RecordingRunView view(folder / "in.txt", "  " + (folder / "out.txt"));
    EXPECT_EQ(run(view).outcome, RunOutcome::completed);
    EXPECT_EQ(view.events, joined({kBusy, kCompletion}));
    EXPECT_EQ(read_bytes(folder / "out.txt"), kOutputBytes);
}

struct Refusal {
    const char* name;
    std::string source;  // "@" stands for the test's folder
    std::string destination;
    RunOutcome outcome;
    std::string renamed_to = {};  // the destination shown after ".txt" was appended
};
void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }

class NameChecks : public ConversionRun, public ::testing::WithParamInterface<Refusal> {
protected:
    std::string in_folder(const std::string& name) {
        return name.starts_with('@') ? folder.path().string() + name.substr(1) : name;
    }
};

TEST_P(NameChecks, RefuseBeforeOpeningAnything) {
    write_bytes(folder / "in.TXT", kSourceBytes);
    std::filesystem::create_directory(folder.path() / "dir.txt");
    std::filesystem::create_symlink(folder.path() / "in.txt", folder.path() / "link.txt");
    std::filesystem::create_hard_link(folder.path() / "in.txt", folder.path() / "hard.txt");
    std::filesystem::create_directory(folder.path() / "sub");

    RecordingRunView view(in_folder(GetParam().source), in_folder(GetParam().destination));
    EXPECT_EQ(run(view).outcome, GetParam().outcome);

    const Events refused = GetParam().outcome == RunOutcome::missing_source ? kMissingSource : kRefusal;
    const std::string& renamed_to = GetParam().renamed_to;
    EXPECT_EQ(view.events,
              renamed_to.empty() ? refused : joined({{"destination=" + in_folder(renamed_to)}, refused}));
    EXPECT_EQ(read_bytes(folder / "in.txt"), kSourceBytes) << "the source was touched";
    EXPECT_FALSE(std::filesystem::exists(folder / "out.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NameChecks,
    ::testing::Values(
        Refusal{"EmptySource", "", "@/out.txt", RunOutcome::invalid_names},
        Refusal{"EmptyDestination", "@/in.txt", "", RunOutcome::invalid_names},
        Refusal{"BlankSourceIsNoFile", "   ", "@/out.txt", RunOutcome::missing_source},
        Refusal{"BlankDestinationIsNoName", "@/in.txt", "   ", RunOutcome::invalid_names},
        Refusal{"MissingSource", "@/nothing.txt", "@/out.txt", RunOutcome::missing_source},
        Refusal{"DirectoryIsNoFile", "@/dir.txt", "@/out.txt", RunOutcome::missing_source},
        Refusal{"UpperCaseExtension", "@/in.TXT", "@/out.txt", RunOutcome::invalid_names},
        Refusal{"SameName", "@/in.txt", "@/in.txt", RunOutcome::invalid_names},
        Refusal{"SameFileOtherSpelling", "@/in.txt", "@/sub/../in.txt", RunOutcome::invalid_names},
        Refusal{"SameFileThroughSymbolicLink", "@/in.txt", "@/link.txt", RunOutcome::invalid_names},
        Refusal{"SameFileThroughHardLink", "@/in.txt", "@/hard.txt", RunOutcome::invalid_names},
        Refusal{"SameFileAfterTxtIsAppended", "@/in.txt", "@/in", RunOutcome::invalid_names, "@/in.txt"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

// Before: the typed name was checked and the trimmed one opened, so a file
// named with a leading blank passed the check and another file was read.
TEST_F(ConversionRun, TheTrimmedNameIsTheNameChecked) {
    write_bytes(folder / " in2.txt", kSourceBytes);
    write_bytes(folder / "out.txt", "keep");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    RecordingRunView view(" in2.txt", "out.txt");
    const RunResult result = run(view);
    std::filesystem::current_path(previous);

    EXPECT_EQ(result.outcome, RunOutcome::missing_source);
    EXPECT_EQ(result.reason, "'in2.txt': No such file or directory");
    EXPECT_EQ(view.events, kMissingSource);
    EXPECT_EQ(read_bytes(folder / "out.txt"), "keep");
}

TEST_F(ConversionRun, DestinationThatCannotBeCreatedFails) {
    RecordingRunView view(folder / "in.txt", folder / "no-folder/out.txt");
    EXPECT_EQ(run(view).outcome, RunOutcome::failed);
    EXPECT_EQ(view.events, kRefusal);
}

TEST_F(ConversionRun, WriteErrorFailsInsteadOfCompleting) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    std::filesystem::create_symlink("/dev/full", folder.path() / "full.txt");
    RecordingRunView view(folder / "in.txt", folder / "full.txt");
    EXPECT_EQ(run(view).outcome, RunOutcome::failed);
    EXPECT_EQ(view.events, joined({kBusy, kRefusal}));
}

// Before: the destination was emptied at once and held half a result after a failure.
TEST_F(ConversionRun, FailureInTheTextLeavesTheDestinationAsItWas) {
    write_bytes(folder / "addak.txt", utf16le_bytes(u"ਕਿ ਪੱx ਕਿ"));
    write_bytes(folder / "out.txt", "keep");
    RecordingRunView view(folder / "addak.txt", folder / "out.txt");
    const RunResult result = run(view);
    EXPECT_EQ(result.outcome, RunOutcome::failed);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(view.events, joined({kBusy, kRefusal}));
    EXPECT_EQ(read_bytes(folder / "out.txt"), "keep");
}

TEST_F(ConversionRun, SourceOfOddByteLengthFails) {
    write_bytes(folder / "odd.txt", kSourceBytes + "x");
    RecordingRunView view(folder / "odd.txt", folder / "out.txt");
    const RunResult result = run(view);
    EXPECT_EQ(result.outcome, RunOutcome::failed);
    EXPECT_NE(result.reason.find("odd"), std::string::npos) << result.reason;
}

TEST_F(ConversionRun, SecondRunInTheSameWindowStartsClean) {
    write_bytes(folder / "broken.txt", utf16le_bytes(u"ਕਮਲ ਪੱx"));
    write_bytes(folder / "one.txt", utf16le_bytes(u"ਕ "));
    RecordingRunView view(folder / "broken.txt", folder / "first.txt");
    ASSERT_EQ(run(view).outcome, RunOutcome::failed);
    view.type_names(folder / "one.txt", folder / "second.txt");
    EXPECT_EQ(run(view).outcome, RunOutcome::completed);
    EXPECT_EQ(view.events, joined({kBusy, kCompletion}));
    EXPECT_EQ(read_bytes(folder / "second.txt"), utf16le_bytes(u"ka "));
}

// A dictionary that cannot answer, as a store whose file went bad would.
class FailingDictionary final : public Dictionary {
public:
    std::size_t count(std::u16string_view) const override { throw StoreError("the dictionary cannot be read"); }
};

struct FailureCase {
    const char* name;
    std::string source_bytes;
    bool failing_dictionary;
    RunFailure failure;
};
void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class RunFailureKind : public ::testing::TestWithParam<FailureCase> {};

// Before: every failed run looked alike, and Python raised FileError for a text the rules refuse.
TEST_P(RunFailureKind, TellsWhatTheRunFailedOn) {
    TemporaryFolder folder;
    write_bytes(folder / "in.txt", GetParam().source_bytes);
    const MemoryDictionary words;
    const FailingDictionary failing;
    const Dictionary& dictionary = GetParam().failing_dictionary ? static_cast<const Dictionary&>(failing) : words;
    RecordingRunView view(folder / "in.txt", folder / "out.txt");
    const RunResult result = run_conversion(view, dictionary);
    EXPECT_EQ(result.failure, GetParam().failure) << result.reason;
    EXPECT_EQ(result.outcome == RunOutcome::completed, GetParam().failure == RunFailure::none);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunFailureKind,
    ::testing::Values(
        FailureCase{"Completed", utf16le_bytes(u"ਕਿ "), false, RunFailure::none},
        FailureCase{"AddakBeforeUnmappedIsTheText", utf16le_bytes(u"ਕਿ ਪੱx ਕਿ"), false, RunFailure::text},
        FailureCase{"OddByteLengthIsTheFile", utf16le_bytes(u"ਕਿ ") + "x", false, RunFailure::file},
        FailureCase{"StoreErrorIsTheDictionary", utf16le_bytes(u"ਕਮਲ ਕਮਲ "), true, RunFailure::dictionary}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(ConversionRun, RefusedNamesAreAFileFailure) {
    RecordingRunView view(folder / "missing.txt", folder / "out.txt");
    EXPECT_EQ(run(view).failure, RunFailure::file);
    RecordingRunView unnamed("", folder / "out.txt");
    EXPECT_EQ(run(unnamed).failure, RunFailure::file);
}

// The file run of the command line and Python, from the names as typed to
// what they tell of it. "@" in a name stands for the test's folder.
struct FileRunCase {
    const char* name;
    std::string source_bytes;
    std::string destination;
    Encoding to;
    bool into_folder;
    RunOutcome outcome;
    std::string written;  // empty unless completed
    std::optional<Encoding> source_encoding;
    bool held_gurmukhi;
    std::size_t replacements = 0;
};

void PrintTo(const FileRunCase& run, std::ostream* out) { *out << run.name; }

class FileRun : public ::testing::TestWithParam<FileRunCase> {
protected:
    std::string in_folder(std::string name) const {
        if (const auto at = name.find('@'); at != std::string::npos) {
            name.replace(at, 1, folder.path().string());
        }
        return name;
    }

    TemporaryFolder folder;
};

TEST_P(FileRun, WritesWhereTheNamesSayAndTellsWhatItFound) {
    const FileRunCase& run = GetParam();
    write_bytes(folder / "in.txt", run.source_bytes);
    write_bytes(folder / "words.txt", "the dictionary");
    std::filesystem::create_directory(folder.path() / "sub");
    FileRunOptions options;
    options.to = run.to;
    options.into_folder = run.into_folder;
    options.dictionary_file = folder / "words.txt";

    const FileRunResult result =
        run_file_conversion(folder / "in.txt", in_folder(run.destination), MemoryDictionary(), options);

    EXPECT_EQ(result.outcome, run.outcome) << result.reason;
    EXPECT_EQ(result.written, run.written.empty() ? std::string() : in_folder(run.written));
    EXPECT_EQ(result.source_encoding, run.source_encoding);
    EXPECT_EQ(result.held_gurmukhi, run.held_gurmukhi);
    EXPECT_EQ(result.replacements, run.replacements);
    if (!run.written.empty()) {
        EXPECT_TRUE(std::filesystem::is_regular_file(in_folder(run.written)));
    }
    EXPECT_EQ(read_bytes(folder / "words.txt"), "the dictionary");
}

const std::string kUtf8Gurmukhi = "\xE0\xA8\x95\xE0\xA8\xBF \r\n";  // "ਕਿ \r\n"

INSTANTIATE_TEST_SUITE_P(
    Cases, FileRun,
    ::testing::Values(
        FileRunCase{"FolderTakesTheSourceName", kUtf8Gurmukhi, "@/sub", Encoding::utf16le, true,
                    RunOutcome::completed, "@/sub/in.txt", Encoding::utf8, true},
        FileRunCase{"FolderInAFolderIsRefusedOnceTheNameIsChosen", kUtf8Gurmukhi, "@/sub", Encoding::utf16le, false,
                    RunOutcome::invalid_names, "", std::nullopt, false},
        FileRunCase{"LeadingBlankIsPartOfTheName", kUtf8Gurmukhi, "@/ out.txt", Encoding::utf8, true,
                    RunOutcome::completed, "@/ out.txt", Encoding::utf8, true},
        FileRunCase{"TrailingBlankIsPartOfTheName", kUtf8Gurmukhi, "@/out.txt ", Encoding::utf8, true,
                    RunOutcome::completed, "@/out.txt .txt", Encoding::utf8, true},
        FileRunCase{"BlanksAloneAreAName", kUtf8Gurmukhi, "@/  ", Encoding::utf8, true,
                    RunOutcome::completed, "@/  .txt", Encoding::utf8, true},
        FileRunCase{"SlashMeansAFolder", kUtf8Gurmukhi, "@/no-folder/", Encoding::utf8, true,
                    RunOutcome::invalid_names, "", std::nullopt, false},
        FileRunCase{"TheDictionaryIsNoDestination", kUtf8Gurmukhi, "@/words.txt", Encoding::utf8, true,
                    RunOutcome::invalid_names, "", std::nullopt, false},
        FileRunCase{"NoGurmukhiLetterIsTold", "plain English\n", "@/out.txt", Encoding::utf8, true,
                    RunOutcome::completed, "@/out.txt", Encoding::utf8, false},
        FileRunCase{"LoneSurrogateIntoUtf8IsReplacedAndCounted", utf16le_bytes(u"\u0A15 \xD800 "), "@/out.txt",
                    Encoding::utf8, true, RunOutcome::completed, "@/out.txt", Encoding::utf16le, true, 1}),
    [](const ::testing::TestParamInfo<FileRunCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace taviro
