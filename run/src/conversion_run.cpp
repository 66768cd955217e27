#include "taviro/run/conversion_run.h"

#include <algorithm>
#include <cstddef>
#include <exception>
#include <optional>
#include <span>

#include "taviro/encoding/decoding_source.h"
#include "taviro/gurmukhi.h"
#include "encoded_run_files.h"
#include "taviro/run/file_error.h"
#include "taviro/run/file_names.h"
#include "taviro/run/parallel_conversion.h"
#include "taviro/run/store_error.h"

namespace taviro {
namespace {

// Told when the names have passed and both files are open, just before the
// text is converted; `renamed_destination` as in RunResult.
class RunProgress {
public:
    virtual ~RunProgress() = default;
    virtual void converting(const std::string& renamed_destination) = 0;
};

struct RunOptions {
    std::filesystem::path dictionary_file;  // refused as a destination, when named
    RunProgress* progress = nullptr;
    unsigned threads = 1;  // that convert the text (see convert_units_parallel())
    // Names typed into the window's boxes lose their leading and trailing
    // blanks before they are checked; names from a shell or a program are
    // used exactly as given.
    bool trim_names = false;
};

constexpr std::string_view kTextExtension = "txt";

// The names that passed the checks, with ".txt" added to the destination
// where the check asked for it. Only these are opened.
struct CheckedNames {
    std::string source;
    std::string destination;
    std::string renamed_destination;  // the destination, when ".txt" was added
};

RunResult refused(std::string reason, std::string renamed_destination = {}) {
    return {RunOutcome::invalid_names, std::move(reason), std::move(renamed_destination), RunFailure::file};
}

// Anything else a run throws comes from its files.
RunFailure failure_of(const std::exception& error) noexcept {
    if (dynamic_cast<const EngineError*>(&error) != nullptr) {
        return RunFailure::text;
    }
    if (dynamic_cast<const StoreError*>(&error) != nullptr) {
        return RunFailure::dictionary;
    }
    return RunFailure::file;
}

// Returns the outcome when a name is refused; otherwise fills `names`. The
// names checked are the names opened, as given, or trimmed where they were
// typed into a box.
std::optional<RunResult> check_names(const std::string& typed_source, const std::string& typed_destination,
                                     const RunOptions& options, CheckedNames& names) {
    if (typed_source.empty() || typed_destination.empty()) {
        return refused("a file name is empty");
    }
    const std::string source = options.trim_names ? trim_blanks(typed_source) : typed_source;
    const std::string destination = options.trim_names ? trim_blanks(typed_destination) : typed_destination;
    names = {source, written_destination_name(destination), {}};
    if (!is_existing_file(source)) {
        return RunResult{RunOutcome::missing_source, why_not_a_file(source), {}, RunFailure::file,
                         why_not_a_file_number(source)};
    }
    if (extension_name(source) != kTextExtension) {
        return refused("the source name " + quoted_name(source) + " does not end in .txt");
    }
    // Blanks alone would make a hidden ".txt" in the current folder.
    if (destination.empty()) {
        return refused("the destination name is only blanks");
    }
    // A folder would get ".txt" added and a file of that name beside it, which
    // no one choosing a folder means.
    if (std::error_code error; std::filesystem::is_directory(destination, error) ||
                               std::filesystem::is_directory(names.destination, error)) {
        return refused(quoted_name(destination) + " is a folder; name the file to write");
    }
    // Nor does a name that ends in a slash mean a file ".txt" inside it.
    if (destination.ends_with('/')) {
        return refused(why_not_a_folder(destination));
    }
    if (extension_name(destination) != kTextExtension) {
        names.renamed_destination = names.destination;
    }
    // Replacing the destination would lose the source itself, or the
    // dictionary, which was read before the run.
    if (is_same_file(names.source, names.destination)) {
        return refused(quoted_name(names.source) + " and " + quoted_name(names.destination) + " are the same file",
                       names.renamed_destination);
    }
    if (!options.dictionary_file.empty() && is_same_file(names.destination, options.dictionary_file.string())) {
        return refused(quoted_name(names.destination) + " is the dictionary " + quoted_name(options.dictionary_file),
                       names.renamed_destination);
    }
    return std::nullopt;
}

// The source is opened before the destination, so a source that cannot be
// opened leaves the destination untouched. Both files are closed on return,
// on failure too; the destination's close is checked before success is claimed.
RunResult convert_opened(const std::string& source, const std::string& destination, const Dictionary& dictionary,
                         RunFiles& files, RunProgress* progress, const std::string& renamed_destination,
                         unsigned threads) {
    try {
        UnitSource& units = files.open_source(source);
        UnitSink& roman = files.open_destination(destination);
        if (progress != nullptr) {
            progress->converting(renamed_destination);
        }
        convert_units_parallel(units, roman, dictionary, ParallelOptions{.threads = threads});
        files.close();
    } catch (const std::exception& error) {
        std::string reason = error.what();
        if (const std::string leftover = files.abandon(); !leftover.empty()) {
            reason += "; " + leftover;
        }
        const auto* file_failure = dynamic_cast<const RunError*>(&error);
        return {RunOutcome::failed, std::move(reason), renamed_destination, failure_of(error),
                file_failure != nullptr ? file_failure->system_error() : 0};
    }
    return {RunOutcome::completed, {}, renamed_destination, RunFailure::none};
}

// The source's units as the run reads them, looked at until the first
// Gurmukhi letter. Real text shows one in its first block, so the look costs
// nothing after that.
class LetterWatch final : public UnitSource {
public:
    explicit LetterWatch(UnitSource& units) : units_(units) {}

    std::size_t read(std::span<char16_t> units) override {
        const std::size_t count = units_.read(units);
        if (!saw_gurmukhi_) {
            saw_gurmukhi_ = std::any_of(units.begin(), units.begin() + static_cast<std::ptrdiff_t>(count),
                                        [](char16_t unit) { return in_gurmukhi_block(unit); });
        }
        return count;
    }
    bool saw_gurmukhi() const noexcept { return saw_gurmukhi_; }

private:
    UnitSource& units_;
    bool saw_gurmukhi_ = false;
};

// The files of a run in any of the encodings, with what a front end tells of
// the source once the run is over: whether it held a Gurmukhi letter and the
// encoding it was read in.
class WatchedRunFiles final : public RunFiles {
public:
    explicit WatchedRunFiles(EncodedFilesOptions options) : files_(std::move(options)) {}

    UnitSource& open_source(const std::filesystem::path& file) override {
        DecodingSource& source = files_.open_source(file);
        decoding_ = &source;
        return watch_.emplace(source);
    }
    UnitSink& open_destination(const std::filesystem::path& file) override { return files_.open_destination(file); }
    void close() override {
        // The source goes with the close; what it read is known by now.
        source_encoding_ = decoding_->encoding();
        decoding_ = nullptr;
        files_.close();
    }
    std::string abandon() noexcept override {
        decoding_ = nullptr;
        return files_.abandon();
    }

    // What the run found, with the name it wrote when it completed.
    FileRunResult result(const RunResult& run, std::string written) const {
        const bool completed = run.outcome == RunOutcome::completed;
        return {run.outcome,
                run.failure,
                run.reason,
                run.system_error,
                completed ? std::move(written) : std::string(),
                files_.replacements(),
                completed ? source_encoding_ : std::nullopt,
                watch_ && watch_->saw_gurmukhi()};
    }

private:
    EncodedRunFiles files_;
    DecodingSource* decoding_ = nullptr;
    std::optional<LetterWatch> watch_;
    std::optional<Encoding> source_encoding_;
};

EncodedFilesOptions encoded_files_options(const FileRunOptions& options) {
    EncodedFilesOptions files;
    files.source_encoding = options.from;
    files.destination_encoding = options.to;
    files.progress = options.progress;
    files.protected_file = options.dictionary_file;
    return files;
}

// Plays the run on the window: what it shows while converting and after.
class WindowPresenter final : public RunProgress {
public:
    explicit WindowPresenter(RunView& view) : view_(view) {}

    void converting(const std::string& renamed_destination) override {
        show_renamed(renamed_destination);
        view_.set_busy(true);
    }

    void finish(const RunResult& result) {
        switch (result.outcome) {
        case RunOutcome::completed:
            view_.inform(kCompletedMessage);
            break;
        case RunOutcome::missing_source:
            view_.warn(kMissingSourceMessage, result.reason);
            view_.clear_names();
            return;  // nothing was started: the controls are idle already
        case RunOutcome::invalid_names:
        case RunOutcome::failed:
            show_renamed(result.renamed_destination);
            view_.warn(kInvalidNamesMessage, result.reason);
            break;
        }
        view_.clear_names();
        view_.set_busy(false);
    }

private:
    void show_renamed(const std::string& renamed_destination) {
        if (!renamed_destination.empty() && !shown_renamed_) {
            view_.set_destination_name(renamed_destination);
            shown_renamed_ = true;
        }
    }

    RunView& view_;
    bool shown_renamed_ = false;
};

// A run with the windows' checks on names, through `files`, fresh for this run.
RunResult convert_file(const std::string& source, const std::string& destination, const Dictionary& dictionary,
                       RunFiles& files, const RunOptions& options) {
    CheckedNames names;
    if (auto refusal = check_names(source, destination, options, names)) {
        return *std::move(refusal);
    }
    return convert_opened(names.source, names.destination, dictionary, files, options.progress,
                          names.renamed_destination, options.threads);
}

// A run without the windows' checks on names: `files` decides what a name
// means (standard input and output, say) and what it refuses.
RunResult convert_stream(const std::string& source, const std::string& destination, const Dictionary& dictionary,
                         RunFiles& files, unsigned threads) {
    return convert_opened(source, destination, dictionary, files, nullptr, {}, threads);
}

RunResult run_conversion(RunView& view, const Dictionary& dictionary, RunFiles& files) {
    WindowPresenter presenter(view);
    RunOptions options;
    options.progress = &presenter;
    options.trim_names = true;
    const RunResult result = convert_file(view.source_name(), view.destination_name(), dictionary, files, options);
    presenter.finish(result);
    return result;
}

}  // namespace

std::string_view outcome_message(RunOutcome outcome) noexcept {
    switch (outcome) {
    case RunOutcome::completed:
        return kCompletedMessage;
    case RunOutcome::missing_source:
        return kMissingSourceMessage;
    case RunOutcome::invalid_names:
    case RunOutcome::failed:
        break;
    }
    return kInvalidNamesMessage;
}

FileRunResult run_file_conversion(const std::string& source, const std::string& destination,
                                  const Dictionary& dictionary, const FileRunOptions& options) {
    const std::string named = options.into_folder ? destination_in_folder(source, destination) : destination;
    WatchedRunFiles files(encoded_files_options(options));
    RunOptions run_options;
    run_options.dictionary_file = options.dictionary_file;
    run_options.threads = options.threads;
    const RunResult run = convert_file(source, named, dictionary, files, run_options);
    return files.result(run, written_destination_name(named));
}

FileRunResult run_stream_conversion(const std::string& source, const std::string& destination,
                                    const Dictionary& dictionary, const FileRunOptions& options) {
    WatchedRunFiles files(encoded_files_options(options));
    const RunResult run = convert_stream(source, destination, dictionary, files, options.threads);
    return files.result(run, destination);
}

RunResult run_conversion(RunView& view, const Dictionary& dictionary) {
    EncodedRunFiles files(EncodedFilesOptions{.source_encoding = std::nullopt,
                                              .destination_encoding = Encoding::utf16le,
                                              .progress = {},
                                              .protected_file = {}});
    return run_conversion(view, dictionary, files);
}

std::string replacements_warning(std::size_t replacements) {
    return std::to_string(replacements) +
           " UTF-16 surrogate(s) without a partner could not be written in UTF-8 and became U+FFFD";
}

}  // namespace taviro
