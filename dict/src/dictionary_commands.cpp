// build and path: the dictionary file as a whole.

#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "dict_commands.h"
#include "dictionary_files.h"
#include "taviro/dict/dictionary_contents.h"
#include "taviro/dict/word_database_writer.h"
#include "taviro/dict/word_list.h"
#include "taviro/run/descriptor_streams.h"
#include "taviro/run/edit_lock.h"
#include "taviro/run/file_error.h"
#include "taviro/run/file_names.h"

namespace taviro {
namespace {

namespace fs = std::filesystem;

std::string counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// What of the destination's entries the new build would not write: the
// user's own always, the loanwords unless the base brings its own.
std::string entries_a_build_loses(const fs::path& output, const std::optional<fs::path>& base) {
    LexiconSizes sizes;
    try {
        sizes = count_lexicon_entries(output);
    } catch (const StoreError&) {
        return {};  // a file the programs would not read holds no entries they could use
    }
    const bool base_brings_loanwords = base && count_lexicon_entries(*base).loanwords > 0;
    const std::size_t loanwords = base_brings_loanwords ? 0 : sizes.loanwords;
    std::string lost;
    if (sizes.user_entries > 0) lost = counted(sizes.user_entries, "entry of your own", "entries of your own");
    if (loanwords > 0) lost += (lost.empty() ? "" : " and ") + counted(loanwords, "loanword", "loanwords");
    return lost;
}

// A build replaces its destination whole, so a dictionary that holds
// something the build would not write again is replaced only when its owner
// says so; the sentence names the way to keep it for the options given.
void refuse_to_lose_entries(const fs::path& output, const std::optional<fs::path>& base) {
    std::error_code error;
    if (!fs::exists(output, error) || (base && is_same_file(*base, output))) {
        return;
    }
    const std::string lost = entries_a_build_loses(output, base);
    if (lost.empty()) {
        return;
    }
    if (!base) {
        throw std::runtime_error(quoted_name(output) + " holds " + lost +
                                 "; use --force to replace it, or --base to build on it");
    }
    throw std::runtime_error(quoted_name(output) + " holds " + lost + ", which a build on " + quoted_name(*base) +
                             " would lose; use --force to replace it, or --base " + quoted_name(output) +
                             " to build on it");
}

}  // namespace

ExitStatus build_dictionary(const DictArguments& arguments) {
    if (arguments.names.empty() || !arguments.output) {
        throw UsageError{"build needs one or more word lists and -o FILE"};
    }
    std::optional<fs::path> base_file;
    if (arguments.base) {
        base_file = *arguments.base == "default" ? default_dictionary() : existing_file(*arguments.base);
    }
    // Another edit of the file would be lost under the new build, and its
    // entries are what the check below protects.
    const EditLock lock(*arguments.output);
    if (!arguments.force) {
        refuse_to_lose_entries(*arguments.output, base_file);
    }
    std::optional<DictionaryContents> base;
    WordListReader reader;
    if (base_file) {
        base = read_dictionary(*base_file);
        reader.build_on(base->words);
    }
    for (const std::string& name : arguments.names) {
        // The dictionary replaces the file it is written to; a list must survive.
        if (is_same_file(name, *arguments.output)) {
            throw std::runtime_error(quoted_name(*arguments.output) + " is one of the word lists");
        }
        // The reader looks at the start for the encoding, then reads from it again.
        std::istringstream list(read_whole_file(name));
        reader.read(list, name);
    }
    for (const std::string& note : reader.notes()) {
        tell(note);
    }
    if (reader.words().empty() && reader.tally().in_base == 0) {
        throw std::runtime_error("no Gurmukhi word in the lists, so no dictionary was written (" +
                                 describe(reader.tally(), 0) + ")");
    }
    if (!base) {
        write_word_database(*arguments.output, reader.words());
        std::cout << describe(reader.tally(), reader.words().size()) << '\n';
        return kCompleted;
    }
    const std::size_t base_words = base->words.size();
    std::vector<std::u16string> words = std::move(base->words);
    words.insert(words.end(), reader.words().begin(), reader.words().end());
    write_word_database(*arguments.output, words, base->loanwords ? &*base->loanwords : nullptr, base->user_entries,
                        base->spellings ? &*base->spellings : nullptr);
    std::cout << describe(reader.tally(), reader.words().size(), base_words) << '\n';
    if (reader.tally().in_base > 0) {
        // People add words to change how they are written, which a word list does not do.
        std::cout << "Words the dictionary holds confirm the prefixes, suffixes and splits of other words; "
                     "to set how a word itself is written, use taviro-dict add WORD ROMAN.\n";
    }
    return kCompleted;
}

// Where the installed dictionary is, so that a user can start their own from
// a copy of it, whichever way the programs were installed.
ExitStatus show_path(const DictArguments& arguments) {
    if (!arguments.names.empty()) {
        throw UsageError{"path takes no words"};
    }
    std::cout << default_dictionary().string() << '\n';
    return kCompleted;
}

}  // namespace taviro
