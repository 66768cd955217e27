#include "converter.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>

#include "progress_bar.h"
#include "taviro/encoding/decoding_source.h"
#include "taviro/encoding/encoded_run_files.h"
#include "taviro/encoding/encoding_sink.h"
#include "taviro/run/conversion_run.h"
#include "taviro/run/file_names.h"
#include "taviro/run/parallel_conversion.h"
#include "taviro/run/replacing_file.h"
#include "terminal_view.h"

namespace taviro {
namespace {

namespace fs = std::filesystem;

constexpr const char* kProgram = "taviro-convert";
// Standard input by a name that the file system understands, to learn its
// size and whether it is the destination file.
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
    ReadProgress* get() const noexcept { return bar_.get(); }
    void clear() {
        if (bar_) {
            bar_->clear();
        }
    }

private:
    std::unique_ptr<ProgressBar> bar_;
};

// The name a run writes to: ".txt" is added to a name without it.
std::string written_name(const std::string& destination) {
    const std::string trimmed = trim_blanks(destination);
    return extension_name(trimmed) == "txt" ? trimmed : trimmed + ".txt";
}

// Each run replaces its destination, so a second source written to the same
// name would silently take the first one's place.
std::optional<std::string> first_clash(const std::vector<std::string>& sources,
                                       const std::vector<std::string>& destinations) {
    std::map<std::string, std::size_t> first_source_of;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const auto [earlier, fresh] = first_source_of.emplace(written_name(destinations[i]), i);
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
    TerminalView view(source, destination, messages_,
                      {.quiet = line_.quiet, .label = label, .before_message = [&progress] { progress.clear(); }});
    EncodedRunFiles files(line_.from, line_.to.value_or(Encoding::utf16le), progress.get());
    const RunResult result = run_conversion(view, dictionary_, files, dictionary_file_, threads_);
    if (result.outcome != RunOutcome::completed) {
        if (!result.reason.empty()) {
            report_failure(label.empty() ? result.reason : label + ": " + result.reason);
        }
        return kNotCompleted;
    }
    report_replacements(files.replacements());
    return kCompleted;
}

ExitStatus Converter::convert_streams(const std::string& source, const std::string& destination) {
    const bool from_input = source == kStandardStream;
    const bool to_output = destination == kStandardStream;
    const fs::path source_file = from_input ? fs::path(kStandardInputFile) : fs::path(source);
    OptionalProgress progress(show_progress_, messages_, known_size(source_file));
    try {
        std::ifstream source_stream;
        if (!from_input) {
            errno = 0;
            source_stream.open(source, std::ios::binary);
            if (!source_stream.is_open()) {
                throw file_error("open", source);
            }
        }
        // Replacing the destination would lose the source, or the dictionary.
        if (!to_output && is_same_file(source_file.string(), destination)) {
            throw RunError(quoted_name(destination) + " is the source itself");
        }
        if (!to_output && is_same_file(dictionary_file_.string(), destination)) {
            throw RunError(quoted_name(destination) + " is the dictionary " + quoted_name(dictionary_file_));
        }
        std::optional<ReplacingFile> destination_file;
        if (!to_output) {
            destination_file.emplace(destination);
        }
        DecodingSource decoder(from_input ? std::cin : source_stream, line_.from,
                               from_input ? "standard input" : quoted_name(source), progress.get());
        EncodingSink sink(to_output ? std::cout : destination_file->stream(),
                          line_.to.value_or(to_output ? Encoding::utf8 : Encoding::utf16le),
                          to_output ? "standard output" : quoted_name(destination));
        convert_units_parallel(decoder, sink, dictionary_, threads_);
        sink.finish();
        if (destination_file) {
            destination_file->commit();
        }
        progress.clear();
        report_replacements(sink.replacements());
    } catch (const std::exception& error) {
        progress.clear();
        report_failure(error.what());
        return kNotCompleted;
    }
    if (!line_.quiet) {
        messages_ << kCompletedMessage << '\n';
    }
    return kCompleted;
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
