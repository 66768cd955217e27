// taviro-dict build [--base FILE|default] [--force] WORDLIST... -o FILE
// taviro-dict lookup|explain [--dictionary FILE] [--loanwords] [--spoken] [--scheme S] WORD...
// taviro-dict stats [--dictionary FILE] [--loanwords] [--spoken] [--scheme S] [--from ENCODING] TEXT
// taviro-dict add|remove|list|import --dictionary FILE ...
// taviro-dict path
//
// A user's own word dictionary: built from Gurmukhi word lists with the same
// romanization as the program's own, asked the two lookups of word finishing,
// used to tell how the words of a text were finished, and given a lexicon of
// whole words the rules get wrong. The commands are rows of dict_commands();
// this file only picks one and turns what it throws into the exit status.

#include <exception>
#include <iostream>
#include <span>
#include <string_view>

#include "dict_command_line.h"
#include "dict_commands.h"
#include "taviro/run/file_error.h"
#include "taviro/run/interrupt_cleanup.h"
#include "taviro/terminal/exit_status.h"
#include "taviro/terminal/wrong_usage.h"

namespace {

constexpr const char* kProgram = "taviro-dict";

taviro::ExitStatus run(const taviro::DictArguments& arguments) {
    for (const taviro::DictCommand& command : taviro::dict_commands()) {
        if (command.name == arguments.command) {
            return command.run(arguments);
        }
    }
    throw taviro::UsageError{"unknown command " + taviro::quoted_name(arguments.command)};
}

}  // namespace

int main(int argc, char** argv) {
    taviro::clean_up_on_interrupt();
    const std::span<const char* const> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && (std::string_view(arguments.front()) == "--help" ||
                               std::string_view(arguments.front()) == "-h")) {
        std::cout << taviro::dict_help();
        return std::cout.flush() ? taviro::kCompleted : taviro::kNotCompleted;
    }
    if (!arguments.empty() && std::string_view(arguments.front()) == "--version") {
        std::cout << kProgram << ' ' << TAVIRO_VERSION << '\n';
        return std::cout.flush() ? taviro::kCompleted : taviro::kNotCompleted;
    }
    try {
        if (arguments.empty()) {
            throw taviro::UsageError{"a command is needed: " + taviro::dict_command_names()};
        }
        return run(taviro::parse_dict_arguments(arguments));
    } catch (const taviro::UsageError& error) {
        return taviro::report_wrong_usage(std::cerr, kProgram, error.problem);
    } catch (const std::exception& error) {
        std::cerr << kProgram << ": " << error.what() << '\n';
        return taviro::kNotCompleted;
    }
}
