// taviro-convert [OPTION]... SOURCE DESTINATION
// taviro-convert [OPTION]... -o FOLDER SOURCE...
//
// The Convert run of the desktop program from a terminal: the same checks, the
// same destination naming and output, the reasons in the terminal's own form
// on standard error; around it, other encodings, standard input and output,
// and many files at once.

#include <iostream>
#include <memory>
#include <span>

#include "taviro/character_classes.h"
#include "taviro/cli/command_line.h"
#include "command_line_runs.h"
#include "taviro/run/interrupt_cleanup.h"
#include "taviro/run/word_store.h"
#include "taviro/terminal/exit_status.h"
#include "taviro/terminal/program_folder.h"
#include "taviro/terminal/wrong_usage.h"

namespace {

constexpr const char* kProgram = "taviro-convert";

constexpr const char* kHelp =
    "Usage: taviro-convert [--dictionary FILE] SOURCE DESTINATION\n"
    "  or:  taviro-convert [OPTION]... SOURCE DESTINATION\n"
    "  or:  taviro-convert [OPTION]... SOURCE FOLDER\n"
    "  or:  taviro-convert [OPTION]... -o FOLDER SOURCE...\n"
    "Transliterate the Gurmukhi text of SOURCE into Roman script, into DESTINATION.\n"
    "\n"
    "SOURCE is a text file whose name ends in .txt. DESTINATION is created or\n"
    "emptied and written as UTF-16LE with a byte-order mark; \".txt\" is added\n"
    "to its name unless the name already ends in .txt. A DESTINATION that is a\n"
    "folder gets the file of SOURCE's name in it. With '-' as SOURCE the text\n"
    "comes from standard input, with '-' as DESTINATION it goes to standard\n"
    "output (as UTF-8), and the rules on names do not apply.\n"
    "\n"
    "      --from ENCODING   read SOURCE as auto (the default), utf-16le, utf-16be\n"
    "                        or utf-8; auto knows UTF-8 and UTF-16 by their\n"
    "                        byte-order marks and UTF-8, UTF-16LE and UTF-16BE\n"
    "                        without one\n"
    "      --to ENCODING     write utf-16le or utf-8 (lines end in a line feed)\n"
    "  -o, --output-dir FOLDER  convert every SOURCE into FOLDER, keeping its name\n"
    "  -j, --jobs N          convert with N threads (default: one per core);\n"
    "                        the output is the same as with -j 1\n"
    "  -q, --quiet           no progress line\n"
    "  -v, --verbose         a line on each conversion: the names and encodings\n"
    "      --dictionary FILE use the word dictionary FILE instead of words.mdb\n"
    "                        in the program's folder or in ../share/taviro/\n"
    "      --loanwords       write English loanwords as Punjabi speakers say them,\n"
    "                        from the dictionary's loanword lexicon\n"
    "      --spoken          write spoken forms: the loanwords as --loanwords does,\n"
    "                        and the \"a\"s and nasals as speech says them\n"
    "                        (bhārtī, tarakkī, sakdē, kānūn, puraskār)\n"
    "      --scheme SCHEME   write the Roman text with its marks (marks, the\n"
    "                        default: bhāratī) or in plain letters as Punjabis\n"
    "                        type it (ascii: bharti), which writes spoken forms\n"
    "  -h, --help            show this help and exit\n"
    "      --version         show the version and exit\n"
    "\n"
    "Nothing is shown when a conversion completes; failures and warnings (a\n"
    "SOURCE without a single Gurmukhi letter) go to standard error.\n"
    "Exit status: 0 when the conversion completed, 1 when it did not,\n"
    "2 when the command line was wrong.\n";

std::filesystem::path dictionary_file(const taviro::CommandLine& line) {
    return line.dictionary ? std::filesystem::path(*line.dictionary) : taviro::find_dictionary(taviro::program_folder());
}

std::unique_ptr<taviro::WordStore> open_dictionary(const std::filesystem::path& file,
                                                   const taviro::CommandLine& line) {
    try {
        return std::make_unique<taviro::WordStore>(
            file, taviro::WordStoreOptions{.loanwords = line.loanwords, .spoken = line.spoken, .scheme = line.scheme});
    } catch (const taviro::StoreError& error) {
        std::cerr << kProgram << ": " << error.what() << '\n';
        return nullptr;
    }
}

int convert(const taviro::CommandLine& line) {
    const std::filesystem::path file = dictionary_file(line);
    const auto dictionary = open_dictionary(file, line);
    if (!dictionary) {
        return taviro::kNotCompleted;
    }
    taviro::CommandLineRuns runs(line, *dictionary, file, std::cerr);
    if (line.output_folder) {
        return runs.convert_into_folder(line.sources, *line.output_folder);
    }
    if (line.uses_standard_streams()) {
        return runs.convert_streams(line.sources.front(), line.destination);
    }
    return runs.convert_files(line.sources.front(), line.destination);
}

}  // namespace

int main(int argc, char** argv) {
    taviro::clean_up_on_interrupt();
    const auto line = taviro::parse_command_line(std::span<const char* const>(argv + 1, argv + argc));
    switch (line.action) {
    case taviro::CommandLine::Action::help:
        std::cout << kHelp;
        return std::cout.flush() ? taviro::kCompleted : taviro::kNotCompleted;
    case taviro::CommandLine::Action::version:
        // The Unicode version decides which characters around words end them.
        std::cout << kProgram << ' ' << TAVIRO_VERSION << " (Unicode " << taviro::unicode_version() << ")\n";
        return std::cout.flush() ? taviro::kCompleted : taviro::kNotCompleted;
    case taviro::CommandLine::Action::wrong_usage:
        return taviro::report_wrong_usage(std::cerr, kProgram, line.problem);
    case taviro::CommandLine::Action::convert:
        break;
    }
    return convert(line);
}
