#include "command_line_runs.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>

#include "progress_bar.h"
#include "taviro/encoding/decoding_source.h"
#include "taviro/run/file_error.h"
#include "taviro/run/file_names.h"
#include "taviro/run/parallel_conversion.h"

namespace taviro {
namespace {

namespace fs = std::filesystem;

constexpr const char* kProgram = "taviro-convert";
// Standard input by a name that the file system understands, to learn its size.
constexpr const char* kStandardInputFile = "/dev/stdin";
constexpr const char* kStandardInput = "standard input";
constexpr const char* kStandardOutput = "standard output";

std::optional<std::uint64_t> known_size(const fs::path& file) {
    std::error_code error;
    if (!fs::is_regular_file(file, error)) {
        return std::nullopt;
    }
    const std::uintmax_t size = fs::file_size(file, error);
    return error ? std::nullopt : std::optional<std::uint64_t>(size);
}

// Shows the progress line on `messages` when it is wanted, and clears it at the end.
class OptionalProgress {
public:
    OptionalProgress(bool wanted, std::ostream& messages, std::optional<std::uint64_t> total) {
        if (wanted) {
            bar_ = std::make_unique<ProgressBar>(messages, total);
        }
    }
    ReadProgress get() const {
        if (!bar_) {
            return {};
        }
        return [bar = bar_.get()](std::uint64_t bytes) { bar->bytes_read(bytes); };
    }
    void clear() {
        if (bar_) {
            bar_->clear();
        }
    }

private:
    std::unique_ptr<ProgressBar> bar_;
};

// The source's units as the run reads them, looked at until the first
// Gurmukhi letter: a source without one is most likely no Punjabi text at all
// (a binary file, or text in an encoding that was not detected), and would
// otherwise pass as converted. Real text shows one in its first block, so the
// look costs nothing after that.
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

// Each run replaces its destination, so a second source written to the same
// name would silently take the first one's place.
std::optional<std::string> first_clash(const std::vector<std::string>& sources,
                                       const std::vector<std::string>& destinations) {
    std::map<std::string, std::size_t> first_source_of;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const auto [earlier, fresh] = first_source_of.emplace(written_destination_name(destinations[i]), i);
        if (!fresh) {
            return quoted_name(sources[earlier->second]) + " and " + quoted_name(sources[i]) +
                   " would both be written to " + quoted_name(earlier->first);
        }
    }
    return std::nullopt;
}

}  // namespace

// The files of a run in the encodings of the command line, with what the
// messages need to know of the source once the run is over: whether it held a
// Gurmukhi letter and the encoding it was read in.
class WatchedRunFiles final : public RunFiles {
public:
    explicit WatchedRunFiles(EncodedFilesOptions options) : files_(std::move(options)) {}

    UnitSource& open_source(const fs::path& file) override {
        DecodingSource& source = files_.open_source(file);
        decoding_ = &source;
        return watch_.emplace(source);
    }
    UnitSink& open_destination(const fs::path& file) override { return files_.open_destination(file); }
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

    bool saw_gurmukhi() const noexcept { return watch_ && watch_->saw_gurmukhi(); }
    std::optional<Encoding> source_encoding() const noexcept { return source_encoding_; }
    std::size_t replacements() const noexcept { return files_.replacements(); }

private:
    EncodedRunFiles files_;
    DecodingSource* decoding_ = nullptr;
    std::optional<LetterWatch> watch_;
    std::optional<Encoding> source_encoding_;
};

CommandLineRuns::CommandLineRuns(const CommandLine& line, const Dictionary& dictionary, std::filesystem::path dictionary_file,
                     std::ostream& messages)
    : line_(line),
      dictionary_(dictionary),
      dictionary_file_(std::move(dictionary_file)),
      messages_(messages),
      show_progress_(!line.quiet && ::isatty(STDERR_FILENO)),
      threads_(line.jobs.value_or(available_threads())) {}

ExitStatus CommandLineRuns::convert_files(const std::string& source, const std::string& destination) {
    return convert_file(source, destination_in_folder(source, destination), {});
}

ExitStatus CommandLineRuns::convert_into_folder(const std::vector<std::string>& sources, const std::string& folder) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        say({}, quoted_name(folder) + (fs::exists(folder, error) ? " is not a folder" : " does not exist"));
        return kNotCompleted;
    }
    std::vector<std::string> destinations;
    for (const std::string& source : sources) {
        destinations.push_back(destination_in_folder(source, folder));
    }
    if (const auto clash = first_clash(sources, destinations)) {
        say({}, *clash);
        return kWrongUsage;
    }
    ExitStatus status = kCompleted;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (convert_file(sources[i], destinations[i], quoted_name(sources[i])) != kCompleted) {
            status = kNotCompleted;
        }
    }
    return status;
}

ExitStatus CommandLineRuns::convert_file(const std::string& source, const std::string& destination,
                                   const std::string& label) {
    OptionalProgress progress(show_progress_, messages_, known_size(source));
    const Encoding destination_encoding = line_.to.value_or(Encoding::utf16le);
    WatchedRunFiles files(files_options(destination_encoding, progress.get()));
    RunOptions options;
    options.dictionary_file = dictionary_file_;
    options.threads = threads_;
    const RunResult result = taviro::convert_file(source, destination, dictionary_, files, options);
    progress.clear();
    return report(result, files,
                  {quoted_name(trim_blanks(source)), quoted_name(written_destination_name(destination)),
                   destination_encoding, label});
}

// Streams pass no checks on names: "-" is standard input or output.
ExitStatus CommandLineRuns::convert_streams(const std::string& source, const std::string& destination) {
    const bool from_input = source == kStandardStream;
    const bool to_output = destination == kStandardStream;
    if (std::error_code error; from_input && !to_output && fs::is_directory(destination, error)) {
        say({}, "standard input has no name to keep in the folder " + quoted_name(destination));
        return kNotCompleted;
    }
    OptionalProgress progress(show_progress_, messages_,
                              known_size(from_input ? fs::path(kStandardInputFile) : fs::path(source)));
    const Encoding destination_encoding = line_.to.value_or(to_output ? Encoding::utf8 : Encoding::utf16le);
    WatchedRunFiles files(files_options(destination_encoding, progress.get()));
    const RunResult result = convert_stream(source, destination, dictionary_, files, threads_);
    progress.clear();
    return report(result, files,
                  {from_input ? kStandardInput : quoted_name(source),
                   to_output ? kStandardOutput : quoted_name(destination), destination_encoding, {}});
}

EncodedFilesOptions CommandLineRuns::files_options(Encoding destination_encoding, ReadProgress progress) const {
    EncodedFilesOptions options;
    options.source_encoding = line_.from;
    options.destination_encoding = destination_encoding;
    options.progress = std::move(progress);
    options.protected_file = dictionary_file_;
    return options;
}

ExitStatus CommandLineRuns::report(const RunResult& result, const WatchedRunFiles& files, const ShownNames& names) {
    if (result.outcome != RunOutcome::completed) {
        say(names.label, result.reason);
        return kNotCompleted;
    }
    if (line_.verbose) {
        std::string encodings = " (";
        if (const auto source_encoding = files.source_encoding()) {
            encodings.append(encoding_name(*source_encoding)).append(" ");
        }
        encodings.append("to ").append(encoding_name(names.destination_encoding)).append(")");
        say({}, names.source + " -> " + names.destination + encodings);
    }
    if (!files.saw_gurmukhi()) {
        say({}, "warning: " + names.source + " holds no Gurmukhi letter");
    }
    if (const std::size_t replacements = files.replacements(); replacements != 0) {
        say(names.label, "warning: " + std::to_string(replacements) +
                             " UTF-16 surrogate(s) without a partner could not be written in UTF-8 and became U+FFFD");
    }
    return kCompleted;
}

// One line on standard error; with a label, the line names it unless it does
// already ("taviro-convert: 'a.txt': No such file or directory", not twice).
void CommandLineRuns::say(const std::string& label, const std::string& text) {
    messages_ << kProgram << ": ";
    if (!label.empty() && text.find(label) == std::string::npos) {
        messages_ << label << ": ";
    }
    messages_ << text << '\n';
}

}  // namespace taviro
