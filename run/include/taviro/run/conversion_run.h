// One Convert run: checks the two names of the run view, converts the UTF-16
// source into the UTF-16 destination, and reports through the view.
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
