#include "command_line_runs.h"

#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>

#include "taviro/cli/progress_bar.h"
#include "taviro/run/conversion_run.h"
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

CommandLineRuns::CommandLineRuns(const CommandLine& line, const Dictionary& dictionary, std::filesystem::path dictionary_file,
                     std::ostream& messages)
    : line_(line),
      dictionary_(dictionary),
      dictionary_file_(std::move(dictionary_file)),
      messages_(messages),
      show_progress_(!line.quiet && ::isatty(STDERR_FILENO)),
      threads_(line.jobs.value_or(available_threads())) {}

ExitStatus CommandLineRuns::convert_files(const std::string& source, const std::string& destination) {
    return convert_file(source, destination, {}, true);
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
        if (convert_file(sources[i], destinations[i], quoted_name(sources[i]), false) != kCompleted) {
            status = kNotCompleted;
        }
    }
    return status;
}

ExitStatus CommandLineRuns::convert_file(const std::string& source, const std::string& destination,
                                         const std::string& label, bool into_folder) {
    OptionalProgress progress(show_progress_, messages_, known_size(source));
    FileRunOptions options = run_options(line_.to.value_or(Encoding::utf16le), progress.get());
    options.into_folder = into_folder;
    const FileRunResult result = run_file_conversion(source, destination, dictionary_, options);
    progress.clear();
    return report(result, {quoted_name(source), quoted_name(result.written), options.to, label});
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
    const FileRunOptions options =
        run_options(line_.to.value_or(to_output ? Encoding::utf8 : Encoding::utf16le), progress.get());
    const FileRunResult result = run_stream_conversion(source, destination, dictionary_, options);
    progress.clear();
    return report(result, {from_input ? kStandardInput : quoted_name(source),
                           to_output ? kStandardOutput : quoted_name(destination), options.to, {}});
}

FileRunOptions CommandLineRuns::run_options(Encoding destination_encoding, ReadProgress progress) const {
    FileRunOptions options;
    options.from = line_.from;
    options.to = destination_encoding;
    options.threads = threads_;
    options.dictionary_file = dictionary_file_;
    options.progress = std::move(progress);
    return options;
}

ExitStatus CommandLineRuns::report(const FileRunResult& result, const ShownNames& names) {
    if (result.outcome != RunOutcome::completed) {
        say(names.label, result.reason);
        return kNotCompleted;
    }
    if (line_.verbose) {
        std::string encodings = " (";
        if (const auto source_encoding = result.source_encoding) {
            encodings.append(encoding_name(*source_encoding)).append(" ");
        }
        encodings.append("to ").append(encoding_name(names.destination_encoding)).append(")");
        say({}, names.source + " -> " + names.destination + encodings);
    }
    if (!result.held_gurmukhi) {
        say({}, "warning: " + names.source + " holds no Gurmukhi letter");
    }
    if (const std::size_t replacements = result.replacements; replacements != 0) {
        say(names.label, "warning: " + replacements_warning(replacements));
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
