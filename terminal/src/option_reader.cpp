#include "taviro/terminal/option_reader.h"

#include <getopt.h>

#include <initializer_list>
#include <string_view>

#include "taviro/run/file_error.h"
#include "taviro/terminal/message_text.h"

namespace taviro {
namespace {

// getopt_long wants a program name before the arguments; it is never shown,
// since the reader prints nothing.
constexpr const char* kNoProgram = "taviro";

// getopt_long's value for a definition: its letter when it has one, so that a
// short and a long form come back alike, else a number past every letter.
int getopt_value(const OptionDefinition& definition, std::size_t index) {
    constexpr int kPastLetters = 0x100;
    return definition.letter != '\0' ? definition.letter : kPastLetters + static_cast<int>(index);
}

class GetoptTables {
public:
    explicit GetoptTables(std::span<const OptionDefinition> definitions) : definitions_(definitions) {
        // The leading ':' makes a missing value its own answer, apart from an unknown option.
        short_options_ = ":";
        for (std::size_t i = 0; i < definitions.size(); ++i) {
            const OptionDefinition& definition = definitions[i];
            if (definition.letter != '\0') {
                short_options_ += definition.letter;
                if (definition.takes_value) short_options_ += ':';
            }
            long_options_.push_back({definition.name, definition.takes_value ? required_argument : no_argument, nullptr,
                                     getopt_value(definition, i)});
        }
        long_options_.push_back({nullptr, 0, nullptr, 0});
    }

    const char* short_options() const { return short_options_.c_str(); }
    const option* long_options() const { return long_options_.data(); }

    const OptionDefinition* definition_of(int value) const {
        for (std::size_t i = 0; i < definitions_.size(); ++i) {
            if (getopt_value(definitions_[i], i) == value) return &definitions_[i];
        }
        return nullptr;
    }

    // The long options that `argument` ("--ver", "--ver=x") abbreviates.
    std::vector<std::string> abbreviated(std::string_view argument) const {
        const std::string_view typed = argument.substr(2, argument.find('=') - 2);
        std::vector<std::string> names;
        for (const OptionDefinition& definition : definitions_) {
            if (std::string_view(definition.name).starts_with(typed)) names.push_back(joined({"--", definition.name}));
        }
        return names;
    }

private:
    std::span<const OptionDefinition> definitions_;
    std::string short_options_;
    std::vector<option> long_options_;
};

// What getopt_long refused; `argument` is the argument it stopped at.
OptionRefusal refused(const GetoptTables& tables, std::string_view argument) {
    OptionRefusal refusal;
    refusal.long_form = argument.starts_with("--");
    refusal.argument = std::string(argument);
    if (optopt == 0) {
        refusal.possibilities = tables.abbreviated(argument);
        if (refusal.possibilities.size() < 2) {
            refusal.possibilities.clear();
            refusal.option = std::string(argument);
            return refusal;
        }
        refusal.kind = OptionRefusal::Kind::ambiguous;
        refusal.option = std::string(argument.substr(0, argument.find('=')));
        return refusal;
    }
    if (const OptionDefinition* known = tables.definition_of(optopt); known != nullptr && refusal.long_form) {
        refusal.kind = OptionRefusal::Kind::needless_value;
        refusal.option = joined({"--", known->name});
        return refusal;
    }
    refusal.long_form = false;
    refusal.option = joined({"-", std::string(1, static_cast<char>(optopt))});
    return refusal;
}

OptionRefusal missing(const GetoptTables& tables, std::string_view argument) {
    OptionRefusal refusal;
    refusal.kind = OptionRefusal::Kind::missing_value;
    refusal.argument = std::string(argument);
    refusal.long_form = argument.starts_with("--");
    refusal.option = refusal.long_form ? joined({"--", tables.definition_of(optopt)->name})
                                       : joined({"-", std::string(1, static_cast<char>(optopt))});
    return refusal;
}

}  // namespace

ReadOptions read_options(std::span<const OptionDefinition> definitions, std::span<const char* const> arguments) {
    const GetoptTables tables(definitions);
    // getopt_long reorders the pointers, never the text they point to.
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(kNoProgram));
    for (const char* argument : arguments) {
        argv.push_back(const_cast<char*>(argument));
    }
    argv.push_back(nullptr);
    const int argc = static_cast<int>(argv.size() - 1);
    // 0, not 1: glibc then starts afresh, so that one process can read many command lines.
    optind = 0;
    opterr = 0;

    ReadOptions read;
    for (int found = 0;
         (found = getopt_long(argc, argv.data(), tables.short_options(), tables.long_options(), nullptr)) != -1;) {
        if (found == ':') {
            read.refusal = missing(tables, argv[optind - 1]);
            return read;
        }
        if (found == '?') {
            read.refusal = refused(tables, argv[optind - 1]);
            return read;
        }
        read.options.push_back({tables.definition_of(found)->id, optarg != nullptr ? std::string(optarg) : std::string()});
    }
    read.names.assign(argv.begin() + optind, argv.begin() + argc);
    return read;
}

std::string getopt_wording(const OptionRefusal& refusal) {
    switch (refusal.kind) {
    case OptionRefusal::Kind::unknown:
        if (refusal.long_form) {
            return joined({"unrecognized option ", quoted_text(refusal.option)});
        }
        return joined({"invalid option -- ", quoted_text(std::string_view(refusal.option).substr(1))});
    case OptionRefusal::Kind::ambiguous: {
        std::string problem = joined({"option ", quoted_text(refusal.option), " is ambiguous; possibilities:"});
        for (const std::string& name : refusal.possibilities) {
            problem.append(" ").append(quoted_text(name));
        }
        return problem;
    }
    case OptionRefusal::Kind::needless_value:
        return joined({"option ", quoted_text(refusal.option), " doesn't allow an argument"});
    case OptionRefusal::Kind::missing_value:
        break;
    }
    if (refusal.long_form) {
        return joined({"option ", quoted_text(refusal.option), " requires an argument"});
    }
    return joined({"option requires an argument -- ", quoted_text(std::string_view(refusal.option).substr(1))});
}

}  // namespace taviro
