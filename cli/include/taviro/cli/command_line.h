// The arguments of taviro-convert.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "taviro/run/conversion_run.h"
#include "taviro/encoding/encoding.h"
#include "taviro/plain_letters.h"

namespace taviro {

struct CommandLine {
    enum class Action { convert, help, version, wrong_usage };

    Action action = Action::convert;
    std::string problem;                    // for wrong_usage
    std::optional<std::string> dictionary;  // --dictionary FILE
    std::optional<Encoding> from;           // --from; empty for auto
    std::optional<Encoding> to;             // --to; empty for the destination's default
    std::optional<std::string> output_folder;  // -o FOLDER
    bool quiet = false;                     // --quiet: no progress line
    bool verbose = false;                   // --verbose: a line on each completed run
    bool loanwords = false;                 // --loanwords
    bool spoken = false;                    // --spoken
    Scheme scheme = Scheme::marks;          // --scheme
    std::optional<unsigned> jobs;           // -j N; empty for every core
    std::vector<std::string> sources;       // one, or with -o one or more
    std::string destination;                // without -o

    bool uses_standard_streams() const {
        return !output_folder && (sources.front() == kStandardStream || destination == kStandardStream);
    }
};

// Reads `arguments` (without the program name) as getopt_long reads them:
// short options bundled ("-qj2", "-qj 2"), long ones with "=" or the next
// argument for their value and abbreviated as long as the abbreviation is
// unambiguous, options and names in any order, "--" ending the options and
// "-" alone a name. --help and --version win over everything after them.
CommandLine parse_command_line(std::span<const char* const> arguments);

}  // namespace taviro
