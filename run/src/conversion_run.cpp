#include "taviro/run/conversion_run.h"

#include <exception>
#include <optional>

#include "taviro/run/file_names.h"
#include "taviro/run/parallel_conversion.h"
#include "taviro/run/utf16_file_reader.h"
#include "taviro/run/file_error.h"
#include "taviro/run/replacing_file.h"
#include "taviro/run/utf16_writer.h"

namespace taviro {
namespace {

constexpr std::string_view kTextExtension = "txt";

// The names that passed the checks, trimmed, the destination with ".txt" added
// where the check asked for it. Only these are opened.
struct CheckedNames {
    std::string source;
    std::string destination;
};

void restore_idle_after_refusal(RunView& view) {
    view.set_source_name("");
    view.set_destination_name("");
    view.set_browse_enabled(true);
    view.set_convert_caption(kConvertCaption);
    view.set_convert_enabled(true);
    view.set_exit_enabled(true);
    view.focus_source();
    view.set_busy_indicator(false);
}

RunResult refuse(RunView& view, RunOutcome outcome, std::string reason) {
    view.warn(kInvalidNamesMessage);
    restore_idle_after_refusal(view);
    return {outcome, std::move(reason)};
}

RunResult report_missing_source(RunView& view, const std::string& source) {
    view.warn(kMissingSourceMessage);
    view.set_source_name("");
    view.set_destination_name("");
    view.focus_source();
    return {RunOutcome::missing_source, why_not_a_file(source)};
}

// Returns the outcome when a name is refused; otherwise fills `names`.
std::optional<RunResult> check_names(RunView& view, CheckedNames& names, const std::filesystem::path& dictionary_file) {
    const std::string source = view.source_name();
    const std::string destination = view.destination_name();
    if (source.empty() || destination.empty()) {
        return refuse(view, RunOutcome::invalid_names, "a file name is empty");
    }
    names = {trim_blanks(source), trim_blanks(destination)};
    if (!is_existing_file(source)) {
        return report_missing_source(view, source);
    }
    if (extension_name(source) != kTextExtension) {
        return refuse(view, RunOutcome::invalid_names,
                      "the source name " + quoted_name(source) + " does not end in .txt");
    }
    if (extension_name(destination) != kTextExtension) {
        names.destination += ".txt";
        view.set_destination_name(names.destination);
    }
    // Opening the destination empties it, so it must never be the source itself.
    if (is_same_file(names.source, names.destination)) {
        return refuse(view, RunOutcome::invalid_names,
                      quoted_name(names.source) + " and " + quoted_name(names.destination) + " are the same file");
    }
    // The dictionary was read before the run; replacing it would lose it.
    if (!dictionary_file.empty() && is_same_file(names.destination, dictionary_file.string())) {
        return refuse(view, RunOutcome::invalid_names,
                      quoted_name(names.destination) + " is the dictionary " + quoted_name(dictionary_file));
    }
    return std::nullopt;
}

void enter_busy_state(RunView& view) {
    view.set_convert_enabled(false);
    view.set_convert_caption(kProcessingCaption);
    view.set_browse_enabled(false);
    view.set_exit_enabled(false);
    view.set_busy_indicator(true);
}

class Utf16RunFiles final : public RunFiles {
public:
    UnitSource& open_source(const std::filesystem::path& file) override { return source_.emplace(file); }
    UnitSink& open_destination(const std::filesystem::path& file) override {
        return writer_.emplace(destination_.emplace(file).stream(), quoted_name(file));
    }
    void close() override {
        writer_->finish();
        destination_->commit();
        source_->close();
    }
    void abandon() noexcept override {
        writer_.reset();
        destination_.reset();
        source_.reset();
    }

private:
    std::optional<Utf16FileReader> source_;
    std::optional<ReplacingFile> destination_;
    std::optional<Utf16Writer> writer_;
};

// The source is opened before the destination, so a source that cannot be
// opened leaves the destination untouched. Both files are closed on return,
// on failure too; the destination's close is checked before success is claimed.
void convert_files(RunView& view, const CheckedNames& names, const Dictionary& dictionary, RunFiles& files,
                   unsigned threads) {
    UnitSource& source = files.open_source(names.source);
    UnitSink& destination = files.open_destination(names.destination);
    enter_busy_state(view);
    convert_units_parallel(source, destination, dictionary, threads);
    files.close();
}

RunResult complete(RunView& view) {
    view.inform(kCompletedMessage);
    view.set_source_name("");
    view.set_destination_name("");
    view.focus_source();
    view.set_browse_enabled(true);
    view.set_exit_enabled(true);
    view.set_convert_caption(kConvertCaption);
    view.set_convert_enabled(true);
    view.set_busy_indicator(false);
    return {RunOutcome::completed, {}};
}

}  // namespace

RunResult run_conversion(RunView& view, const Dictionary& dictionary) {
    Utf16RunFiles files;
    return run_conversion(view, dictionary, files);
}

RunResult run_conversion(RunView& view, const Dictionary& dictionary, RunFiles& files,
                         const std::filesystem::path& dictionary_file, unsigned threads) {
    CheckedNames names;
    if (auto refusal = check_names(view, names, dictionary_file)) {
        return *std::move(refusal);
    }
    try {
        convert_files(view, names, dictionary, files, threads);
    } catch (const std::exception& error) {
        files.abandon();
        return refuse(view, RunOutcome::failed, error.what());
    }
    return complete(view);
}

}  // namespace taviro
