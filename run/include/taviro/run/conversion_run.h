// One Convert run: checks the two names of the run view, converts the UTF-16
// source into the UTF-16 destination, and reports through the view.
//
// The names are refused before anything is opened when one is empty, when the
// source is no existing file or its name does not end in exactly ".txt", and
// when both name the same file, so the source is never emptied. From the
// opening on, every failure (a file, the character rules, the dictionary) ends
// in one failure outcome with both files closed and the destination as it was
// before the run. Completion is reported only once the text has replaced the
// destination, safely on disk.
//
// It does not open the dictionary, and it keeps nothing between runs.
#pragma once

#include <filesystem>
#include <string>

#include "taviro/engine.h"
#include "taviro/run/run_view.h"
#include "taviro/run/unit_sink.h"
#include "taviro/run/unit_source.h"

namespace taviro {

// How a run opens and closes its two files. The windows read UTF-16LE and write
// UTF-16LE with a byte-order mark; the command line reads and writes other
// encodings through the same run, with the same checks and outcomes.
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
    // written; the destination stays as it was before the run.
    virtual void abandon() noexcept = 0;
};

enum class RunOutcome {
    completed,       // "The Transliteration process is complete." was shown
    missing_source,  // "File does not Exist. ..." was shown
    invalid_names,   // a name was refused before anything was opened
    failed,          // the run failed after opening began
};

struct RunResult {
    RunOutcome outcome;
    std::string reason;  // for failed and invalid_names: what went wrong, in plain words
};

// With the windows' files: UTF-16LE in, UTF-16LE with a byte-order mark out.
RunResult run_conversion(RunView& view, const Dictionary& dictionary);
// With `files`, fresh for this run. A destination that is `dictionary_file`
// (when one is named) is refused like one that is the source. The text is
// converted by `threads` threads (see convert_units_parallel()).
RunResult run_conversion(RunView& view, const Dictionary& dictionary, RunFiles& files,
                         const std::filesystem::path& dictionary_file = {}, unsigned threads = 1);

}  // namespace taviro
