// One Convert run: checks the two names, converts the source into the
// destination, and returns how it ended. It shows nothing: the window's
// presenter (run_conversion), the command line and Python (both through
// run_file_conversion) show the result each in their own way.
//
// The names are refused before anything is opened when one is empty, when the
// source is no existing file or its name does not end in exactly ".txt", and
// when the destination is the source itself or the dictionary. From the
// opening on, every failure (a file, the character rules, the dictionary) ends
// in the failed outcome with both files closed and the destination as it was
// before the run. Completion is returned only once the text has replaced the
// destination, safely on disk.
//
// It does not open the dictionary, and it keeps nothing between runs.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "taviro/encoding/encoding.h"
#include "taviro/encoding/read_progress.h"
#include "taviro/engine.h"
#include "taviro/run/run_view.h"
#include "taviro/convert/unit_sink.h"
#include "taviro/convert/unit_source.h"

namespace taviro {

inline constexpr std::string_view kInvalidNamesMessage =
    "Please enter valid source and destination unicode text files.";
inline constexpr std::string_view kMissingSourceMessage =
    "File does not Exist. Please enter a valid filename.";
inline constexpr std::string_view kCompletedMessage = "The Transliteration process is complete.";

// How a run opens and closes its two files (EncodedRunFiles): the windows
// write UTF-16LE with a byte-order mark; the command line writes other
// encodings too, through the same run, with the same checks and outcomes.
class RunFiles {
public:
    virtual ~RunFiles() = default;
    // Opens the source for reading. Throws RunError.
    virtual UnitSource& open_source(const std::filesystem::path& file) = 0;
    // Makes ready to replace the destination, refusing one that could not be
    // written; called only once the source is open. Throws RunError.
    virtual UnitSink& open_destination(const std::filesystem::path& file) = 0;
    // Writes out the rest, puts it in the destination's place and closes both
    // files. Throws RunError: only a close without one means the text is in
    // the destination.
    virtual void close() = 0;
    // After a failure: closes whatever is open, quietly, and drops what was
    // written; the destination stays as it was before the run. Returns, in
    // words, what could not be cleaned up (a temporary file left behind);
    // empty when nothing was.
    virtual std::string abandon() noexcept = 0;
};

enum class RunOutcome {
    completed,
    missing_source,  // the source name names no file
    invalid_names,   // a name was refused before anything was opened
    failed,          // the run failed after opening began
};

// What a run that did not complete failed on, so that each front end can say
// so in its own way (Python raises TextError, FileError or DictionaryError).
enum class RunFailure {
    none,        // completed
    text,        // the character rules refused the text (EngineError)
    file,        // a name, or a file that could not be opened, read or written (RunError)
    dictionary,  // the dictionary could not answer (StoreError)
};

struct RunResult {
    RunOutcome outcome;
    std::string reason;               // unless completed: what went wrong, in plain words
    std::string renamed_destination;  // the destination name with ".txt" added, when the run added it
    RunFailure failure = RunFailure::none;
};

// The message the windows show for an outcome.
std::string_view outcome_message(RunOutcome outcome) noexcept;

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

// A run with the windows' checks on names, through `files`, fresh for this run.
[[nodiscard]] RunResult convert_file(const std::string& source, const std::string& destination,
                                     const Dictionary& dictionary, RunFiles& files, const RunOptions& options = {});

// A run without the windows' checks on names: `files` decides what a name
// means (standard input and output, say) and what it refuses.
[[nodiscard]] RunResult convert_stream(const std::string& source, const std::string& destination,
                                       const Dictionary& dictionary, RunFiles& files, unsigned threads = 1);

// A run of a front end that names its files and their encodings (the command
// line, Python): the source read in the named encoding or the one detected,
// the destination written in `to`.
struct FileRunOptions {
    std::optional<Encoding> from;  // empty: detect it
    Encoding to = Encoding::utf16le;
    unsigned threads = 1;                   // that convert the text (see convert_units_parallel())
    std::filesystem::path dictionary_file;  // never written over, when named
    ReadProgress progress;                  // told the bytes read from the source
    // A destination that is a folder takes the source under its own name, as
    // cp puts it. Off for a caller that has named the file in the folder
    // itself, so that a folder of that name is refused, not entered.
    bool into_folder = true;
};

// How such a run ended, with what a front end tells of a completed one.
struct [[nodiscard]] FileRunResult {
    RunOutcome outcome = RunOutcome::failed;
    RunFailure failure = RunFailure::none;
    std::string reason;                       // unless completed: what went wrong, in plain words
    std::string written;                      // once completed: the destination's name as written
    std::size_t replacements = 0;             // unpaired surrogates written as U+FFFD into UTF-8
    std::optional<Encoding> source_encoding;  // once completed: the encoding the source was read in
    // Whether the source held a Gurmukhi letter. A source without one is most
    // likely no Punjabi text at all (a binary file, or text in an encoding that
    // was not detected), which would otherwise pass as converted.
    bool held_gurmukhi = false;
};

// The file run with the windows' checks on names, used as given: `written`
// is the destination mapped into its folder, with ".txt" added where the run
// adds it.
FileRunResult run_file_conversion(const std::string& source, const std::string& destination,
                                  const Dictionary& dictionary, const FileRunOptions& options);
// The same as convert_stream(): "-" is standard input as the source and
// standard output as the destination, and the names are used as given.
FileRunResult run_stream_conversion(const std::string& source, const std::string& destination,
                                    const Dictionary& dictionary, const FileRunOptions& options);

// The Convert button: runs with the view's names through `files`, and plays
// the run on the view: busy while converting, then the message for the
// outcome with its reason, the names emptied, the controls idle again.
RunResult run_conversion(RunView& view, const Dictionary& dictionary, RunFiles& files);
// The same with the windows' files: the source read as the command line reads
// it (a byte-order mark, UTF-8, or UTF-16 without a mark), the destination
// written in UTF-16LE with a byte-order mark, as the windows always wrote it.
RunResult run_conversion(RunView& view, const Dictionary& dictionary);

}  // namespace taviro
