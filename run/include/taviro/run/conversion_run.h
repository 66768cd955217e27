// One Convert run: checks the two names, converts the source into the
// destination, and returns how it ended. Three calls make it, one for each way
// of naming the files: the window's boxes (run_conversion, which also plays
// the run on the window), names from a shell or a program (run_file_conversion:
// the command line and Python) and the standard streams (run_stream_conversion).
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

namespace taviro {

inline constexpr std::string_view kInvalidNamesMessage =
    "Please enter valid source and destination unicode text files.";
inline constexpr std::string_view kMissingSourceMessage =
    "File does not Exist. Please enter a valid filename.";
inline constexpr std::string_view kCompletedMessage = "The Transliteration process is complete.";

// The name of standard input as a source and of standard output as a destination.
inline constexpr std::string_view kStandardStream = "-";

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
    int system_error = 0;  // of a file failure: the system's error number, or 0
};

// The message the windows show for an outcome.
std::string_view outcome_message(RunOutcome outcome) noexcept;

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
    int system_error = 0;                     // of a file failure: the system's error number, or 0
    std::string written;                      // once completed: the destination's name as written
    std::size_t replacements = 0;             // unpaired surrogates written as U+FFFD into UTF-8
    std::optional<Encoding> source_encoding;  // once completed: the encoding the source was read in
    // Whether the source held a Gurmukhi letter. A source without one is most
    // likely no Punjabi text at all (a binary file, or text in an encoding that
    // was not detected), which would otherwise pass as converted.
    bool held_gurmukhi = false;
};

// What a front end warns of a completed run that wrote `replacements` U+FFFD
// into UTF-8 for lone surrogates: "3 UTF-16 surrogate(s) without a partner …".
[[nodiscard]] std::string replacements_warning(std::size_t replacements);

// The file run with the windows' checks on names, used as given: `written`
// is the destination mapped into its folder, with ".txt" added where the run
// adds it.
FileRunResult run_file_conversion(const std::string& source, const std::string& destination,
                                  const Dictionary& dictionary, const FileRunOptions& options);
// The same without the windows' checks on names: "-" (kStandardStream) is
// standard input as the source and standard output as the destination, and
// other names are used as given.
FileRunResult run_stream_conversion(const std::string& source, const std::string& destination,
                                    const Dictionary& dictionary, const FileRunOptions& options);

// The Convert button: runs with the view's names, trimmed, and plays the run
// on the view: busy while converting, then the message for the outcome with
// its reason, the names emptied, the controls idle again. The source is read
// as the command line reads it (a byte-order mark, UTF-8, or UTF-16 without a
// mark), the destination written in UTF-16LE with a byte-order mark, as the
// windows always wrote it.
RunResult run_conversion(RunView& view, const Dictionary& dictionary);

}  // namespace taviro
