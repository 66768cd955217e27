#include "converter.h"

#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>

#include "progress_bar.h"
#include "taviro/encoding/encoded_run_files.h"
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

Converter::Converter(const CommandLine& line, const Dictionary& dictionary, std::filesystem::path dictionary_file,
                     std::ostream& messages)
    : line_(line),
      dictionary_(dictionary),
      dictionary_file_(std::move(dictionary_file)),
      messages_(messages),
      show_progress_(!line.quiet && ::isatty(STDERR_FILENO)),
      threads_(line.jobs.value_or(available_threads())) {}

ExitStatus Converter::convert_files(const std::string& source, const std::string& destination) {
    return convert_file(source, destination, {});
}

ExitStatus Converter::convert_into_folder(const std::vector<std::string>& sources, const std::string& folder) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        report_failure(quoted_name(folder) + (fs::exists(folder, error) ? " is not a folder" : " does not exist"));
        return kNotCompleted;
    }
    std::vector<std::string> destinations;
    for (const std::string& source : sources) {
        destinations.push_back((fs::path(folder) / fs::path(source).filename()).string());
    }
    if (const auto clash = first_clash(sources, destinations)) {
        report_failure(*clash);
        return kWrongUsage;
    }
    ExitStatus status = kCompleted;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (convert_file(sources[i], destinations[i], sources[i]) != kCompleted) {
            status = kNotCompleted;
        }
    }
    return status;
}

ExitStatus Converter::convert_file(const std::string& source, const std::string& destination,
                                   const std::string& label) {
    OptionalProgress progress(show_progress_, messages_, known_size(source));
    EncodedRunFiles files(files_options(line_.to.value_or(Encoding::utf16le), progress.get()));
    RunOptions options;
    options.dictionary_file = dictionary_file_;
    options.threads = threads_;
    const RunResult result = taviro::convert_file(source, destination, dictionary_, files, options);
    progress.clear();
    const std::string prefix = label.empty() ? std::string() : label + ": ";
    if (result.outcome != RunOutcome::completed || !line_.quiet) {
        messages_ << prefix << outcome_message(result.outcome) << '\n';
    }
    if (result.outcome != RunOutcome::completed) {
        report_failure(prefix + result.reason);
        return kNotCompleted;
    }
    report_replacements(files.replacements());
    return kCompleted;
}

// Streams pass no checks on names: "-" is standard input or output.
ExitStatus Converter::convert_streams(const std::string& source, const std::string& destination) {
    const bool to_output = destination == kStandardStream;
    OptionalProgress progress(show_progress_, messages_,
                              known_size(source == kStandardStream ? fs::path(kStandardInputFile) : fs::path(source)));
    const Encoding destination_encoding = line_.to.value_or(to_output ? Encoding::utf8 : Encoding::utf16le);
    EncodedRunFiles files(files_options(destination_encoding, progress.get()));
    const RunResult result = convert_stream(source, destination, dictionary_, files, threads_);
    progress.clear();
    if (result.outcome != RunOutcome::completed) {
        report_failure(result.reason);
        return kNotCompleted;
    }
    report_replacements(files.replacements());
    if (!line_.quiet) {
        messages_ << kCompletedMessage << '\n';
    }
    return kCompleted;
}

EncodedFilesOptions Converter::files_options(Encoding destination_encoding, ReadProgress progress) const {
    EncodedFilesOptions options;
    options.source_encoding = line_.from;
    options.destination_encoding = destination_encoding;
    options.progress = std::move(progress);
    options.protected_file = dictionary_file_;
    return options;
}

void Converter::report_replacements(std::size_t replacements) {
    if (replacements != 0) {
        messages_ << kProgram << ": " << replacements
                  << " UTF-16 surrogate(s) without a partner could not be written in UTF-8 and became U+FFFD\n";
    }
}

void Converter::report_failure(const std::string& reason) {
    messages_ << kProgram << ": " << reason << '\n';
}

}  // namespace taviro
