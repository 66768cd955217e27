// add, remove, list and import: the user lexicon of a dictionary the user
// names. Every change is made whole or not at all (user_lexicon.h).

#include <filesystem>
#include <iostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "dict_commands.h"
#include "dictionary_files.h"
#include "taviro/dict/lexicon_file.h"
#include "taviro/dict/user_lexicon.h"
#include "taviro/dict/word_lookup.h"
#include "taviro/encoding/utf8_decoder.h"
#include "taviro/run/descriptor_streams.h"
#include "taviro/run/edit_lock.h"
#include "taviro/run/file_error.h"
#include "taviro/word_builder.h"

namespace taviro {
namespace {

std::u16string decoded(const std::string& text) {
    auto units = decode_utf8(text);
    if (!units) {
        throw std::runtime_error(quoted_name(text) + " is not UTF-8");
    }
    return std::move(*units);
}

}  // namespace

ExitStatus add_entry(const DictArguments& arguments) {
    if (arguments.names.size() != 2) {
        throw UsageError{"add needs a word and its Roman text"};
    }
    const LexiconEntry entry{decoded(arguments.names[0]), decoded(arguments.names[1])};
    if (const auto problem = entry_problem(entry.word, entry.roman)) {
        throw std::runtime_error(arguments.names[0] + " " + arguments.names[1] + ": " + *problem);
    }
    const std::filesystem::path file = lexicon_file(arguments);
    const EditLock lock(file);
    add_to_user_lexicon(file, {entry}, tell);
    return kCompleted;
}

ExitStatus remove_entries(const DictArguments& arguments) {
    if (arguments.names.empty()) {
        throw UsageError{"remove needs one or more words"};
    }
    std::vector<std::u16string> words;
    for (const std::string& name : arguments.names) words.push_back(decoded(name));
    const std::filesystem::path file = existing_file(lexicon_file(arguments));
    const EditLock lock(file);
    // Entries are kept as a run reads their words, so a word is found so too.
    std::set<std::u16string> entries;
    for (const LexiconEntry& entry : read_user_lexicon(file)) entries.insert(entry.word);
    std::vector<std::string> missing;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (!entries.contains(units_as_read(words[i]))) missing.push_back(arguments.names[i]);
    }
    if (missing.size() < words.size()) {
        remove_from_user_lexicon(file, words, tell);
    }
    for (const std::string& word : missing) {
        tell("no entry for " + word);
    }
    return missing.empty() ? kCompleted : kNotCompleted;
}

ExitStatus list_entries(const DictArguments& arguments) {
    if (!arguments.names.empty()) {
        throw UsageError{"list takes no words"};
    }
    for (const LexiconEntry& entry : read_user_lexicon(existing_file(lexicon_file(arguments)))) {
        std::cout << to_utf8(entry.word) << '\t' << to_utf8(entry.roman) << '\n';
    }
    return kCompleted;
}

ExitStatus import_entries(const DictArguments& arguments) {
    if (arguments.names.size() != 1) {
        throw UsageError{"import needs one lexicon file"};
    }
    const std::string& name = arguments.names.front();
    InputFile text{std::filesystem::path(name)};
    const ParsedLexicon parsed = parse_lexicon(text, name);
    for (const std::string& problem : parsed.problems) {
        tell(problem);
    }
    if (!parsed.problems.empty()) {
        throw std::runtime_error(std::to_string(parsed.problems.size()) +
                                 (parsed.problems.size() == 1 ? " bad entry" : " bad entries") + ", so nothing was added");
    }
    const std::filesystem::path file = lexicon_file(arguments);
    const EditLock lock(file);
    add_to_user_lexicon(file, parsed.entries, tell);
    std::cout << parsed.entries.size() << (parsed.entries.size() == 1 ? " entry" : " entries") << " added\n";
    return kCompleted;
}

}  // namespace taviro
