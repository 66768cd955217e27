#include "command_line.h"

#include <array>
#include <charconv>
#include <string_view>

#include "taviro/run/file_error.h"

namespace taviro {
namespace {

constexpr std::string_view kAutomatic = "auto";

CommandLine wrong_usage(std::string problem) {
    CommandLine line;
    line.action = CommandLine::Action::wrong_usage;
    line.problem = std::move(problem);
    return line;
}

bool is_option(std::string_view argument) {
    return argument.size() > 1 && argument.front() == '-';
}

// The options that take a value, as "--name VALUE" or "--name=VALUE" (and
// "-o VALUE" or "-oVALUE" for a short one).
enum class ValueOption { dictionary, from, to, output_folder, jobs };

struct ValueOptionName {
    ValueOption option;
    std::string_view long_name;
    std::string_view short_name;
};

constexpr std::array<ValueOptionName, 5> kValueOptions{{
    {ValueOption::dictionary, "--dictionary", ""},
    {ValueOption::from, "--from", ""},
    {ValueOption::to, "--to", ""},
    {ValueOption::output_folder, "--output-dir", "-o"},
    {ValueOption::jobs, "--jobs", "-j"},
}};

// More threads than this only cost memory, a few chunks each.
constexpr unsigned kMaxJobs = 256;

struct FoundValueOption {
    const ValueOptionName* name;
    std::optional<std::string_view> attached;  // the value after "="
};

std::optional<FoundValueOption> find_value_option(std::string_view argument) {
    for (const ValueOptionName& name : kValueOptions) {
        if (argument == name.long_name || (!name.short_name.empty() && argument == name.short_name)) {
            return FoundValueOption{&name, std::nullopt};
        }
        if (argument.starts_with(name.long_name) && argument.size() > name.long_name.size() &&
            argument[name.long_name.size()] == '=') {
            return FoundValueOption{&name, argument.substr(name.long_name.size() + 1)};
        }
        if (!name.short_name.empty() && argument.starts_with(name.short_name) && !argument.starts_with("--")) {
            return FoundValueOption{&name, argument.substr(name.short_name.size())};
        }
    }
    return std::nullopt;
}

// Sets the option's value; returns the problem when the value is not one it takes.
std::optional<std::string> set_value(CommandLine& line, ValueOption option, std::string_view value) {
    switch (option) {
    case ValueOption::dictionary:
        line.dictionary = std::string(value);
        return std::nullopt;
    case ValueOption::output_folder:
        line.output_folder = std::string(value);
        return std::nullopt;
    case ValueOption::jobs: {
        unsigned jobs = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), jobs);
        if (error != std::errc() || end != value.data() + value.size() || jobs == 0 || jobs > kMaxJobs) {
            std::string problem(1, '\'');
            problem.append(value).append("' is no number of threads for --jobs (1 to ");
            return problem.append(std::to_string(kMaxJobs)).append(")");
        }
        line.jobs = jobs;
        return std::nullopt;
    }
    case ValueOption::from:
        if (value == kAutomatic) {
            line.from.reset();
            return std::nullopt;
        }
        line.from = find_encoding(value);
        if (!line.from) {
            return "unknown encoding " + quoted_name(std::string(value)) +
                   " for --from (auto, utf-16le, utf-16be, utf-8)";
        }
        return std::nullopt;
    case ValueOption::to:
        line.to = find_encoding(value);
        if (!line.to || *line.to == Encoding::utf16be) {
            return "unknown encoding " + quoted_name(std::string(value)) + " for --to (utf-16le, utf-8)";
        }
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::string> check_names(const CommandLine& line, const std::vector<std::string>& names) {
    if (line.output_folder) {
        if (names.empty()) {
            return "a source file is needed";
        }
        for (const std::string& name : names) {
            if (name == kStandardStream) {
                return "standard input ('-') has no name to keep in the folder of -o";
            }
        }
        return std::nullopt;
    }
    if (names.size() != 2) {
        return names.size() < 2 ? "a source and a destination file are needed" : "too many file names";
    }
    return std::nullopt;
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
        } else if (argument == "--quiet" || argument == "-q") {
            line.quiet = true;
        } else if (argument == "--loanwords") {
            line.loanwords = true;
        } else if (const auto found = find_value_option(argument)) {
            std::string_view value;
            if (found->attached) {
                value = *found->attached;
            } else if (++i == arguments.size()) {
                return wrong_usage("option " + quoted_name(std::string(argument)) + " needs a value");
            } else {
                value = arguments[i];
            }
            if (auto problem = set_value(line, found->name->option, value)) {
                return wrong_usage(*std::move(problem));
            }
        } else {
            return wrong_usage("unknown option " + quoted_name(std::string(argument)));
        }
    }
    if (auto problem = check_names(line, names)) {
        return wrong_usage(*std::move(problem));
    }
    if (!line.output_folder) {
        line.destination = std::move(names.back());
        names.pop_back();
    }
    line.sources = std::move(names);
    return line;
}

}  // namespace taviro
