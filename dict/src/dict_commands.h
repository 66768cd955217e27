// The commands of taviro-dict, one row each: what main() dispatches on and
// what --help shows, so that a command cannot be run without being described.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "dict_command_line.h"
#include "taviro/terminal/exit_status.h"

namespace taviro {

struct DictCommand {
    std::string_view name;
    std::string_view synopsis;  // what follows "taviro-dict " in the usage lines
    std::string_view summary;   // what it does, a line of the help each, unindented
    ExitStatus (*run)(const DictArguments& arguments);
};

// In the order the help shows them.
std::span<const DictCommand> dict_commands();

// The help text: the usage lines and the summaries of the commands, then the options.
std::string dict_help();

// The names of the commands for a message: "build, lookup, ... or path".
std::string dict_command_names();

// In dictionary_commands.cpp: the dictionary file as a whole.
ExitStatus build_dictionary(const DictArguments& arguments);
ExitStatus show_path(const DictArguments& arguments);

// In word_commands.cpp: how a dictionary finishes words.
ExitStatus look_up_words(const DictArguments& arguments);
ExitStatus explain_words(const DictArguments& arguments);
ExitStatus count_finishes(const DictArguments& arguments);

// In lexicon_commands.cpp: the user lexicon of a dictionary.
ExitStatus add_entry(const DictArguments& arguments);
ExitStatus remove_entries(const DictArguments& arguments);
ExitStatus list_entries(const DictArguments& arguments);
ExitStatus import_entries(const DictArguments& arguments);

// What a command did beside its result goes to standard error, as a note:
// "taviro-dict: NOTE".
void tell(const std::string& note);

}  // namespace taviro
