// The command line of taviro-dict: a command, then its options and names.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "taviro/encoding/encoding.h"
#include "taviro/plain_letters.h"

namespace taviro {

struct DictArguments {
    std::string command;
    std::vector<std::string> names;
    std::optional<std::string> output;      // build -o
    std::optional<std::string> dictionary;  // --dictionary
    std::optional<std::string> base;        // build --base
    bool force = false;                     // build --force
    std::optional<Encoding> from;           // --from; empty for auto
    bool loanwords = false;                 // --loanwords
    bool spoken = false;                    // --spoken
    Scheme scheme = Scheme::marks;          // --scheme
};

// A command line that cannot be run as written; main() says so and ends with kWrongUsage.
struct UsageError {
    std::string problem;
};

// Reads `arguments` (without the program name): the first is the command,
// the rest are read as taviro-convert reads its own (getopt_long's way).
// Throws UsageError.
DictArguments parse_dict_arguments(std::span<const char* const> arguments);

}  // namespace taviro
