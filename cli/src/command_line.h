// The arguments of taviro-convert.
#pragma once

#include <optional>
#include <span>
#include <string>

namespace taviro {

struct CommandLine {
    enum class Action { convert, help, version, wrong_usage };

    Action action = Action::convert;
    std::string problem;                    // for wrong_usage
    std::optional<std::string> dictionary;  // --dictionary FILE
    std::string source;
    std::string destination;
};

// Reads `arguments` (without the program name). --help and --version win over
// everything after them; "--" ends the options.
CommandLine parse_command_line(std::span<const char* const> arguments);

}  // namespace taviro
