#include "dict_commands.h"

#include <array>
#include <iostream>

namespace taviro {
namespace {

constexpr std::array<DictCommand, 9> kCommands{{
    {"build", "build [--base FILE|default] [--force] WORDLIST... -o FILE",
     "romanize the Gurmukhi words of the lists (UTF-8, one word a line,\n"
     "lines beginning with # are comments) into the dictionary FILE,\n"
     "and tell how many entries were read, dropped and why, and written;\n"
     "with --base, FILE holds the base's words, user lexicon and loanword\n"
     "lexicon too. A dictionary of the lists' words alone confirms only\n"
     "them: every other word is left to the rules",
     build_dictionary},
    {"lookup", "lookup [--dictionary FILE] [--loanwords] [--spoken] [--scheme S] WORD...",
     "tell for each Gurmukhi or Roman word whether the dictionary holds\n"
     "it (stem lookup: one row or more; part lookup: exactly one row),\n"
     "and what a conversion writes for a Gurmukhi word",
     look_up_words},
    {"explain", "explain [--dictionary FILE] [--loanwords] [--spoken] [--scheme S] WORD...",
     "tell for each Gurmukhi word what a conversion writes for it, what\n"
     "decided that, and the pieces the dictionary confirmed",
     explain_words},
    {"stats", "stats [--dictionary FILE] [--loanwords] [--spoken] [--scheme S] [--from ENCODING] TEXT",
     "convert TEXT ('-' for standard input) without writing it, and count\n"
     "its words finished through a prefix, a suffix, a split, a lexicon,\n"
     "or none",
     count_finishes},
    {"add", "add --dictionary FILE WORD ROMAN",
     "write the Gurmukhi WORD as ROMAN in every conversion with FILE\n"
     "(the user lexicon of FILE; an entry for WORD is replaced)",
     add_entry},
    {"remove", "remove --dictionary FILE WORD...", "take the words out of the user lexicon of FILE", remove_entries},
    {"list", "list --dictionary FILE", "show the user lexicon of FILE, a tab between word and Roman text",
     list_entries},
    {"import", "import --dictionary FILE LEXICON.tsv",
     "add every entry of LEXICON.tsv (UTF-8, WORD<tab>ROMAN a line,\n"
     "# comments); one bad entry and nothing is added",
     import_entries},
    {"path", "path",
     "show where the installed dictionary is, to copy it:\n"
     "cp \"$(taviro-dict path)\" my.mdb",
     show_path},
}};

constexpr std::string_view kPurpose = "Build, ask and try out a word dictionary for taviro-convert.\n";

constexpr std::string_view kOptions =
    "  --dictionary FILE  use FILE instead of words.mdb in the program's folder\n"
    "                     or in ../share/taviro/\n"
    "  --base FILE        build on the dictionary FILE; 'default' is the installed\n"
    "                     one (./default names a file of that name)\n"
    "  --force            let build replace a dictionary that holds lexicon entries\n"
    "  --loanwords        write English loanwords as the loanword lexicon says\n"
    "  --spoken           write spoken forms: the loanwords, and drop the \"a\"\n"
    "                     that speech drops after a long vowel, keep the \"a\"\n"
    "                     that an addak or a tippi asserts\n"
    "  --scheme SCHEME    write with the marks (marks, the default) or in plain\n"
    "                     letters as Punjabis type them (ascii), spoken forms too\n"
    "  --from ENCODING    read TEXT as auto (the default), utf-16le, utf-16be, utf-8\n"
    "  -h, --help         show this help and exit\n"
    "      --version      show the version and exit\n"
    "\n"
    "Exit status: 0 on success, 1 on a failure, 2 when the command line was wrong.\n";

// The summaries stand in a column after the command's name.
constexpr std::size_t kNameColumn = 8;
constexpr std::string_view kSummaryIndent = "          ";

}  // namespace

std::span<const DictCommand> dict_commands() {
    return kCommands;
}

std::string dict_help() {
    std::string help;
    for (const DictCommand& command : kCommands) {
        help.append(help.empty() ? "Usage: " : "  or:  ").append("taviro-dict ").append(command.synopsis).append("\n");
    }
    help.append(kPurpose).append("\n");
    for (const DictCommand& command : kCommands) {
        help.append("  ").append(command.name).append(kNameColumn - command.name.size(), ' ');
        for (const char character : command.summary) {
            help.push_back(character);
            if (character == '\n') help.append(kSummaryIndent);
        }
        help.append("\n");
    }
    help.append("\n").append(kOptions);
    return help;
}

std::string dict_command_names() {
    std::string names;
    for (std::size_t i = 0; i < kCommands.size(); ++i) {
        names.append(i == 0 ? "" : i + 1 == kCommands.size() ? " or " : ", ").append(kCommands[i].name);
    }
    return names;
}

void tell(const std::string& note) {
    std::cerr << "taviro-dict: " << note << '\n';
}

}  // namespace taviro
