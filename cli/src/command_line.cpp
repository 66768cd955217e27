#include "command_line.h"

#include <getopt.h>

#include <array>
#include <charconv>
#include <initializer_list>
#include <string_view>

#include "taviro/run/file_error.h"

namespace taviro {
namespace {

constexpr std::string_view kAutomatic = "auto";
constexpr const char* kProgram = "taviro-convert";

// getopt_long's value for each option: the letter of those that have one,
// a number past every letter for the rest.
enum OptionValue : int {
    kOutputFolder = 'o',
    kJobs = 'j',
    kQuiet = 'q',
    kVerbose = 'v',
    kHelp = 'h',
    kDictionary = 0x100,
    kFrom,
    kTo,
    kLoanwords,
    kVersion,
};

// The leading ':' makes a missing value its own answer, apart from an unknown option.
constexpr const char* kShortOptions = ":o:j:qvh";

constexpr std::array<option, 11> kLongOptions{{
    {"dictionary", required_argument, nullptr, kDictionary},
    {"from", required_argument, nullptr, kFrom},
    {"to", required_argument, nullptr, kTo},
    {"output-dir", required_argument, nullptr, kOutputFolder},
    {"jobs", required_argument, nullptr, kJobs},
    {"quiet", no_argument, nullptr, kQuiet},
    {"verbose", no_argument, nullptr, kVerbose},
    {"loanwords", no_argument, nullptr, kLoanwords},
    {"help", no_argument, nullptr, kHelp},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
}};

// More threads than this only cost memory, a few chunks each.
constexpr unsigned kMaxJobs = 256;

CommandLine wrong_usage(std::string problem) {
    CommandLine line;
    line.action = CommandLine::Action::wrong_usage;
    line.problem = std::move(problem);
    return line;
}

std::string quoted_text(std::string_view text) {
    return quoted_name(std::string(text));
}

// Built piece by piece rather than with "text" + string, which GCC's
// optimiser takes for overlapping copies and warns about.
std::string joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) {
        text.append(part);
    }
    return text;
}

// "'--verbose'" for "verbose".
std::string long_option_name(std::string_view name) {
    return quoted_text(joined({"--", name}));
}

const option* long_option_of(int value) {
    for (const option& candidate : kLongOptions) {
        if (candidate.name != nullptr && candidate.val == value) {
            return &candidate;
        }
    }
    return nullptr;
}

// The long options that `argument` ("--ver", "--ver=x") abbreviates.
std::vector<std::string_view> long_options_abbreviated(std::string_view argument) {
    const std::string_view typed = argument.substr(2, argument.find('=') - 2);
    std::vector<std::string_view> names;
    for (const option& candidate : kLongOptions) {
        if (candidate.name != nullptr && std::string_view(candidate.name).starts_with(typed)) {
            names.emplace_back(candidate.name);
        }
    }
    return names;
}

// What getopt_long refused, in the words it would have used itself.
// `argument` is the argument it stopped at.
std::string refused_option(std::string_view argument) {
    if (optopt == 0) {
        const std::vector<std::string_view> names = long_options_abbreviated(argument);
        if (names.size() < 2) {
            return joined({"unrecognized option ", quoted_text(argument)});
        }
        std::string problem =
            joined({"option ", quoted_text(argument.substr(0, argument.find('='))), " is ambiguous; possibilities:"});
        for (const std::string_view name : names) {
            problem.append(" ").append(long_option_name(name));
        }
        return problem;
    }
    if (const option* known = long_option_of(optopt)) {
        return joined({"option ", long_option_name(known->name), " doesn't allow an argument"});
    }
    return joined({"invalid option -- ", quoted_text(std::string(1, static_cast<char>(optopt)))});
}

std::string missing_value(std::string_view argument) {
    if (argument.starts_with("--")) {
        return joined({"option ", long_option_name(long_option_of(optopt)->name), " requires an argument"});
    }
    return joined({"option requires an argument -- ", quoted_text(std::string(1, static_cast<char>(optopt)))});
}

// Sets the option's value; returns the problem when the value is not one it takes.
std::optional<std::string> set_value(CommandLine& line, int option, std::string_view value) {
    switch (option) {
    case kDictionary:
        line.dictionary = std::string(value);
        return std::nullopt;
    case kOutputFolder:
        line.output_folder = std::string(value);
        return std::nullopt;
    case kJobs: {
        unsigned jobs = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), jobs);
        if (error != std::errc() || end != value.data() + value.size() || jobs == 0 || jobs > kMaxJobs) {
            return joined({quoted_text(value), " is no number of threads for --jobs (1 to ", std::to_string(kMaxJobs),
                           ")"});
        }
        line.jobs = jobs;
        return std::nullopt;
    }
    case kFrom:
        if (value == kAutomatic) {
            line.from.reset();
            return std::nullopt;
        }
        line.from = find_encoding(value);
        if (!line.from) {
            return joined({"unknown encoding ", quoted_text(value), " for --from (auto, utf-16le, utf-16be, utf-8)"});
        }
        return std::nullopt;
    case kTo:
        line.to = find_encoding(value);
        if (!line.to || *line.to == Encoding::utf16be) {
            return joined({"unknown encoding ", quoted_text(value), " for --to (utf-16le, utf-8)"});
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

// The names left once the options are read, in the words cp uses for them.
std::optional<std::string> check_names(const CommandLine& line, const std::vector<std::string>& names) {
    if (names.empty()) {
        return "missing file operand";
    }
    if (line.output_folder) {
        for (const std::string& name : names) {
            if (name == kStandardStream) {
                return "standard input ('-') has no name to keep in the folder of -o";
            }
        }
        return std::nullopt;
    }
    if (names.size() == 1) {
        return joined({"missing destination file operand after ", quoted_text(names.front())});
    }
    if (names.size() > 2) {
        return joined({"extra operand ", quoted_text(names[2])});
    }
    return std::nullopt;
}

}  // namespace

CommandLine parse_command_line(std::span<const char* const> arguments) {
    // getopt_long reorders the pointers, never the text they point to.
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(kProgram));
    for (const char* argument : arguments) {
        argv.push_back(const_cast<char*>(argument));
    }
    argv.push_back(nullptr);
    const int argc = static_cast<int>(argv.size() - 1);
    // 0, not 1: glibc then starts afresh, so that one process can read many command lines.
    optind = 0;
    opterr = 0;

    CommandLine line;
    for (int found = 0; (found = getopt_long(argc, argv.data(), kShortOptions, kLongOptions.data(), nullptr)) != -1;) {
        switch (found) {
        case kHelp:
            line.action = CommandLine::Action::help;
            return line;
        case kVersion:
            line.action = CommandLine::Action::version;
            return line;
        case kQuiet:
            line.quiet = true;
            break;
        case kVerbose:
            line.verbose = true;
            break;
        case kLoanwords:
            line.loanwords = true;
            break;
        case ':':
            return wrong_usage(missing_value(argv[optind - 1]));
        case '?':
            return wrong_usage(refused_option(argv[optind - 1]));
        default:
            if (auto problem = set_value(line, found, optarg)) {
                return wrong_usage(*std::move(problem));
            }
        }
    }
    std::vector<std::string> names(argv.begin() + optind, argv.begin() + argc);
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
