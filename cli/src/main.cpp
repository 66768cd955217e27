// taviro-convert [--dictionary FILE] SOURCE DESTINATION
//
// The Convert run of the desktop program from a terminal: the same checks, the
// same messages (on standard error), the same destination naming and output.

#include <iostream>
#include <memory>
#include <span>

#include "command_line.h"
#include "taviro/run/conversion_run.h"
#include "taviro/run/word_store.h"
#include "terminal_view.h"

namespace {

constexpr const char* kProgram = "taviro-convert";

constexpr const char* kHelp =
    "Usage: taviro-convert [--dictionary FILE] SOURCE DESTINATION\n"
    "Transliterate the Gurmukhi text of SOURCE into Roman script, into DESTINATION.\n"
    "\n"
    "SOURCE is a UTF-16 text file whose name ends in .txt. DESTINATION is created\n"
    "or emptied and written as UTF-16LE with a byte-order mark; \".txt\" is added\n"
    "to its name unless the name already ends in .txt.\n"
    "\n"
    "  --dictionary FILE  use the word dictionary FILE instead of words.mdb\n"
    "                     in the program's folder\n"
    "  -h, --help         show this help and exit\n"
    "      --version      show the version and exit\n"
    "\n"
    "Exit status: 0 when the conversion completed, 1 when it did not,\n"
    "2 when the command line was wrong.\n";

enum ExitStatus { kCompleted = 0, kNotCompleted = 1, kWrongUsage = 2 };

int report_wrong_usage(const std::string& problem) {
    std::cerr << kProgram << ": " << problem << '\n'
              << "Try '" << kProgram << " --help' for more information.\n";
    return kWrongUsage;
}

std::unique_ptr<taviro::WordStore> open_dictionary(const taviro::CommandLine& line) {
    try {
        return std::make_unique<taviro::WordStore>(line.dictionary ? std::filesystem::path(*line.dictionary)
                                                                   : taviro::default_dictionary_path());
    } catch (const taviro::StoreError& error) {
        std::cerr << kProgram << ": " << error.what() << '\n';
        return nullptr;
    }
}

int convert(const taviro::CommandLine& line) {
    const auto dictionary = open_dictionary(line);
    if (!dictionary) {
        return kNotCompleted;
    }
    taviro::TerminalView view(line.source, line.destination, std::cerr);
    const taviro::RunResult result = taviro::run_conversion(view, *dictionary);
    if (result.outcome == taviro::RunOutcome::completed) {
        return kCompleted;
    }
    if (!result.reason.empty()) {
        std::cerr << kProgram << ": " << result.reason << '\n';
    }
    return kNotCompleted;
}

}  // namespace

int main(int argc, char** argv) {
    const auto line = taviro::parse_command_line(std::span<const char* const>(argv + 1, argv + argc));
    switch (line.action) {
    case taviro::CommandLine::Action::help:
        std::cout << kHelp;
        return std::cout.flush() ? kCompleted : kNotCompleted;
    case taviro::CommandLine::Action::version:
        std::cout << kProgram << ' ' << TAVIRO_VERSION << '\n';
        return std::cout.flush() ? kCompleted : kNotCompleted;
    case taviro::CommandLine::Action::wrong_usage:
        return report_wrong_usage(line.problem);
    case taviro::CommandLine::Action::convert:
        break;
    }
    return convert(line);
}
