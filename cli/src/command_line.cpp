#include "command_line.h"

#include <string_view>
#include <vector>

namespace taviro {
namespace {

constexpr std::string_view kDictionaryOption = "--dictionary";

CommandLine wrong_usage(std::string problem) {
    CommandLine line;
    line.action = CommandLine::Action::wrong_usage;
    line.problem = std::move(problem);
    return line;
}

bool is_option(std::string_view argument) {
    return argument.size() > 1 && argument.front() == '-';
}

}  // namespace

CommandLine parse_command_line(std::span<const char* const> arguments) {
    CommandLine line;
    std::vector<std::string> names;
    bool options_ended = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (options_ended || !is_option(argument)) {
            names.emplace_back(argument);
        } else if (argument == "--") {
            options_ended = true;
        } else if (argument == "--help" || argument == "-h") {
            line.action = CommandLine::Action::help;
            return line;
        } else if (argument == "--version") {
            line.action = CommandLine::Action::version;
            return line;
        } else if (argument == kDictionaryOption) {
            if (++i == arguments.size()) {
                return wrong_usage("option '--dictionary' needs a file name");
            }
            line.dictionary = arguments[i];
        } else if (argument.starts_with(std::string(kDictionaryOption) + "=")) {
            line.dictionary = std::string(argument.substr(kDictionaryOption.size() + 1));
        } else {
            return wrong_usage("unknown option '" + std::string(argument) + "'");
        }
    }
    if (names.size() != 2) {
        return wrong_usage(names.size() < 2 ? "a source and a destination file are needed"
                                            : "too many file names");
    }
    line.source = std::move(names[0]);
    line.destination = std::move(names[1]);
    return line;
}

}  // namespace taviro
