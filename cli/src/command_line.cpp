#include "taviro/cli/command_line.h"

#include <array>
#include <charconv>
#include <initializer_list>
#include <string_view>

#include "taviro/run/file_error.h"
#include "taviro/run/parallel_conversion.h"
#include "taviro/terminal/message_text.h"
#include "taviro/terminal/option_reader.h"

namespace taviro {
namespace {

// What the reader gives back for each option: the letter of those that have
// one, a number past every letter for the rest.
enum OptionId : int {
    kOutputFolder = 'o',
    kJobs = 'j',
    kQuiet = 'q',
    kVerbose = 'v',
    kHelp = 'h',
    kTo = kFirstOwnOption,
    kVersion,
};

constexpr auto kOptions = std::to_array<OptionDefinition>({
    kDictionaryOption, kFromOption, {"to", '\0', true, kTo}, {"output-dir", 'o', true, kOutputFolder},
    {"jobs", 'j', true, kJobs}, {"quiet", 'q', false, kQuiet}, {"verbose", 'v', false, kVerbose}, kLoanwordsOption,
    kSpokenOption, kSchemeOption, {"help", 'h', false, kHelp}, {"version", '\0', false, kVersion},
});


CommandLine wrong_usage(std::string problem) {
    CommandLine line;
    line.action = CommandLine::Action::wrong_usage;
    line.problem = std::move(problem);
    return line;
}

// The encoding chosen, or the problem with the name given for it.
std::optional<std::string> take_encoding(std::optional<Encoding>& encoding, EncodingChoice choice) {
    if (!choice.problem.empty()) {
        return std::move(choice.problem);
    }
    encoding = choice.encoding;
    return std::nullopt;
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
        if (error != std::errc() || end != value.data() + value.size() || jobs == 0 || jobs > kMostThreads) {
            return joined({quoted_text(value), " is no number of threads for --jobs (1 to ", std::to_string(kMostThreads),
                           ")"});
        }
        line.jobs = jobs;
        return std::nullopt;
    }
    case kFrom:
        return take_encoding(line.from, read_source_encoding(value, quoted_text(value), "--from"));
    case kTo:
        return take_encoding(line.to, read_destination_encoding(value, quoted_text(value), "--to"));
    case kScheme: {
        const std::optional<Scheme> scheme = scheme_named(value);
        if (!scheme) return unknown_scheme(quoted_text(value), "--scheme");
        line.scheme = *scheme;
        return std::nullopt;
    }
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
    ReadOptions read = read_options(kOptions, arguments);
    CommandLine line;
    for (const FoundOption& found : read.options) {
        switch (found.id) {
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
        case kSpoken:
            line.spoken = true;
            break;
        default:
            if (auto problem = set_value(line, found.id, found.value)) {
                return wrong_usage(*std::move(problem));
            }
        }
    }
    if (read.refusal) {
        return wrong_usage(getopt_wording(*read.refusal));
    }
    std::vector<std::string> names = std::move(read.names);
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
