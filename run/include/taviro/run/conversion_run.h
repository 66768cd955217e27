// One Convert run: checks the two names of the run view, converts the UTF-16
// source into the UTF-16 destination, and reports through the view.
//
// The names are refused before anything is opened when one is empty, when the
// source is no existing file or its name does not end in exactly ".txt", and
// when both name the same file, so the source is never emptied. From the
// opening on, every failure (a file, the character rules, the dictionary) ends
// in one failure outcome with both files closed. Completion is reported only
// after the destination has been written out and closed without error.
//
// It does not open the dictionary, and it keeps nothing between runs.
#pragma once

#include <string>

#include "taviro/engine.h"
#include "taviro/run/run_view.h"

namespace taviro {

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

RunResult run_conversion(RunView& view, const Dictionary& dictionary);

}  // namespace taviro
