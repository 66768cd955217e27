// The dictionary files taviro-dict's commands read and change, found and
// checked alike for every command.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "dict_command_line.h"
#include "taviro/run/word_store.h"

namespace taviro {

// A file the command reads, in the usual words when it is not there or is a folder.
std::filesystem::path existing_file(const std::filesystem::path& file);

// The installed dictionary, found as every program finds it; its places in
// the message when there is none.
std::filesystem::path default_dictionary();

// The dictionary of --dictionary, or the installed one, opened for lookups.
std::unique_ptr<WordStore> open_dictionary(const DictArguments& arguments);

// The file a lexicon command changes: named, never found. Throws UsageError.
std::filesystem::path lexicon_file(const DictArguments& arguments);

}  // namespace taviro
