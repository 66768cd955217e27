// taviro-dict build [--base FILE|default] [--force] WORDLIST... -o FILE
// taviro-dict lookup|explain [--dictionary FILE] [--loanwords] WORD...
// taviro-dict stats [--dictionary FILE] [--loanwords] [--from ENCODING] TEXT
// taviro-dict add|remove|list|import --dictionary FILE ...
// taviro-dict path
//
// A user's own word dictionary: built from Gurmukhi word lists with the same
// romanization as the program's own, asked the two lookups of word finishing,
// used to tell how the words of a text were finished, and given a lexicon of
// whole words the rules get wrong.

#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "taviro/dict/dictionary_contents.h"
#include "taviro/dict/user_lexicon.h"
#include "taviro/dict/word_database_writer.h"
#include "taviro/dict/word_list.h"
#include "taviro/dict/word_lookup.h"
#include "taviro/encoding/decoding_source.h"
#include "taviro/encoding/utf8_decoder.h"
#include "taviro/run/descriptor_streams.h"
#include "taviro/run/file_error.h"
#include "taviro/run/file_names.h"
#include "taviro/run/interrupt_cleanup.h"
#include "taviro/run/read_loop.h"
#include "taviro/run/text_conversion.h"
#include "taviro/run/word_explanation.h"
#include "taviro/run/word_store.h"
#include "taviro/word_builder.h"

namespace {

// The folder this program lies in, as the system knows it.
std::filesystem::path program_folder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : program.parent_path();
}

namespace fs = std::filesystem;

constexpr const char* kProgram = "taviro-dict";

constexpr const char* kHelp =
    "Usage: taviro-dict build [--base FILE|default] [--force] WORDLIST... -o FILE\n"
    "  or:  taviro-dict lookup [--dictionary FILE] [--loanwords] WORD...\n"
    "  or:  taviro-dict explain [--dictionary FILE] [--loanwords] WORD...\n"
    "  or:  taviro-dict stats [--dictionary FILE] [--loanwords] [--from ENCODING] TEXT\n"
    "  or:  taviro-dict add --dictionary FILE WORD ROMAN\n"
    "  or:  taviro-dict remove --dictionary FILE WORD...\n"
    "  or:  taviro-dict list --dictionary FILE\n"
    "  or:  taviro-dict import --dictionary FILE LEXICON.tsv\n"
    "  or:  taviro-dict path\n"
    "Build, ask and try out a word dictionary for taviro-convert.\n"
    "\n"
    "  build   romanize the Gurmukhi words of the lists (UTF-8, one word a line,\n"
    "          lines beginning with # are comments) into the dictionary FILE,\n"
    "          and tell how many entries were read, dropped and why, and written;\n"
    "          with --base, FILE holds the base's words, user lexicon and loanword\n"
    "          lexicon too. A dictionary of the lists' words alone confirms only\n"
    "          them: every other word is left to the rules\n"
    "  lookup  tell for each Gurmukhi or Roman word whether the dictionary holds\n"
    "          it (stem lookup: one row or more; part lookup: exactly one row),\n"
    "          and what a conversion writes for a Gurmukhi word\n"
    "  explain tell for each Gurmukhi word what a conversion writes for it, what\n"
    "          decided that, and the pieces the dictionary confirmed\n"
    "  stats   convert TEXT ('-' for standard input) without writing it, and count\n"
    "          its words finished through a prefix, a suffix, a split, a lexicon,\n"
    "          or none\n"
    "  add     write the Gurmukhi WORD as ROMAN in every conversion with FILE\n"
    "          (the user lexicon of FILE; an entry for WORD is replaced)\n"
    "  remove  take the words out of the user lexicon of FILE\n"
    "  list    show the user lexicon of FILE, a tab between word and Roman text\n"
    "  import  add every entry of LEXICON.tsv (UTF-8, WORD<tab>ROMAN a line,\n"
    "          # comments); one bad entry and nothing is added\n"
    "  path    show where the installed dictionary is, to copy it:\n"
    "          cp \"$(taviro-dict path)\" my.mdb\n"
    "\n"
    "  --dictionary FILE  use FILE instead of words.mdb in the program's folder\n"
    "                     or in ../share/taviro/\n"
    "  --base FILE        build on the dictionary FILE; 'default' is the installed\n"
    "                     one (./default names a file of that name)\n"
    "  --force            let build replace a dictionary that holds lexicon entries\n"
    "  --loanwords        write English loanwords as the loanword lexicon says\n"
    "  --from ENCODING    read TEXT as auto (the default), utf-16le, utf-16be, utf-8\n"
    "  -h, --help         show this help and exit\n"
    "      --version      show the version and exit\n"
    "\n"
    "Exit status: 0 on success, 1 on a failure, 2 when the command line was wrong.\n";

enum ExitStatus { kDone = 0, kFailed = 1, kWrongUsage = 2 };

struct Arguments {
    std::string command;
    std::vector<std::string> names;
    std::optional<std::string> output;      // build -o
    std::optional<std::string> dictionary;  // --dictionary
    std::optional<std::string> base;        // build --base
    bool force = false;                     // build --force
    std::optional<taviro::Encoding> from;   // --from
    bool loanwords = false;                 // --loanwords
};

struct UsageError {
    std::string problem;
};

// Takes the value of `option` from "--option=VALUE" or the next argument.
std::string option_value(std::string_view argument, std::string_view option, std::span<const char* const> rest,
                         std::size_t& i) {
    if (argument.size() > option.size()) {
        return std::string(argument.substr(option.size() + 1));
    }
    if (++i == rest.size()) {
        throw UsageError{"option " + taviro::quoted_name(std::string(option)) + " needs a value"};
    }
    return rest[i];
}

bool is_option(std::string_view argument, std::string_view option) {
    return argument == option || (argument.starts_with(option) && argument.size() > option.size() &&
                                  argument[option.size()] == '=');
}

Arguments parse(std::span<const char* const> arguments) {
    Arguments parsed;
    parsed.command = arguments.front();
    bool options_ended = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (options_ended || argument.size() < 2 || argument.front() != '-') {
            parsed.names.emplace_back(argument);
        } else if (argument == "--") {
            options_ended = true;
        } else if (argument == "-o" || is_option(argument, "--output")) {
            parsed.output = option_value(argument, argument == "-o" ? "-o" : "--output", arguments, i);
        } else if (is_option(argument, "--dictionary")) {
            parsed.dictionary = option_value(argument, "--dictionary", arguments, i);
        } else if (is_option(argument, "--base")) {
            parsed.base = option_value(argument, "--base", arguments, i);
        } else if (argument == "--force") {
            parsed.force = true;
        } else if (argument == "--loanwords") {
            parsed.loanwords = true;
        } else if (is_option(argument, "--from")) {
            const std::string value = option_value(argument, "--from", arguments, i);
            parsed.from = taviro::find_encoding(value);
            if (!parsed.from && value != "auto") {
                throw UsageError{"unknown encoding " + taviro::quoted_name(value) +
                                 " for --from (auto, utf-16le, utf-16be, utf-8)"};
            }
        } else {
            throw UsageError{"unknown option " + taviro::quoted_name(std::string(argument))};
        }
    }
    if ((parsed.base || parsed.force) && parsed.command != "build") {
        throw UsageError{std::string(parsed.base ? "--base" : "--force") + " is for build only"};
    }
    return parsed;
}

// A file the command reads, in the usual words when it is not there.
fs::path existing_file(const fs::path& file) {
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (error) {
        throw std::runtime_error(taviro::quoted_name(file) + ": " + error.message());
    }
    if (fs::is_directory(status)) {
        throw std::runtime_error(taviro::quoted_name(file) + ": " +
                                 std::make_error_code(std::errc::is_a_directory).message());
    }
    return file;
}

// The installed dictionary, found as every program finds it.
fs::path default_dictionary() {
    const fs::path folder = program_folder();
    const fs::path found = taviro::find_dictionary(folder);
    std::error_code error;
    if (!fs::is_regular_file(found, error)) {
        std::string places;
        for (const fs::path& candidate : taviro::dictionary_candidates(folder)) {
            places += (places.empty() ? "" : " nor ") + taviro::quoted_name(candidate);
        }
        throw std::runtime_error("no installed dictionary: there is no " + places);
    }
    return found;
}

fs::path dictionary_file(const std::optional<std::string>& named) {
    return named ? existing_file(*named) : default_dictionary();
}

std::unique_ptr<taviro::WordStore> open_dictionary(const Arguments& arguments) {
    return std::make_unique<taviro::WordStore>(dictionary_file(arguments.dictionary),
                                               taviro::WordStoreOptions{.loanwords = arguments.loanwords});
}

// The lexicon commands change a file, so it is named, never found.
fs::path lexicon_file(const Arguments& arguments) {
    if (!arguments.dictionary) {
        throw UsageError{arguments.command + " needs --dictionary FILE"};
    }
    return *arguments.dictionary;
}

std::u16string decoded(const std::string& text) {
    auto units = taviro::decode_utf8(text);
    if (!units) {
        throw std::runtime_error(taviro::quoted_name(text) + " is not UTF-8");
    }
    return std::move(*units);
}

// What an edit did beside its change goes to standard error, as a note.
void tell(const std::string& notice) {
    std::cerr << kProgram << ": " << notice << '\n';
}

int add_entry(const Arguments& arguments) {
    if (arguments.names.size() != 2) {
        throw UsageError{"add needs a word and its Roman text"};
    }
    const taviro::LexiconEntry entry{decoded(arguments.names[0]), decoded(arguments.names[1])};
    if (const auto problem = taviro::entry_problem(entry.word, entry.roman)) {
        throw std::runtime_error(arguments.names[0] + " " + arguments.names[1] + ": " + *problem);
    }
    taviro::add_to_user_lexicon(lexicon_file(arguments), {entry}, tell);
    return kDone;
}

int remove_entries(const Arguments& arguments) {
    if (arguments.names.empty()) {
        throw UsageError{"remove needs one or more words"};
    }
    std::vector<std::u16string> words;
    for (const std::string& name : arguments.names) words.push_back(decoded(name));
    const fs::path file = existing_file(lexicon_file(arguments));
    // Entries are kept as a run reads their words, so a word is found so too.
    std::set<std::u16string> entries;
    for (const taviro::LexiconEntry& entry : taviro::read_user_lexicon(file)) entries.insert(entry.word);
    std::vector<std::string> missing;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (!entries.contains(taviro::units_as_read(words[i]))) missing.push_back(arguments.names[i]);
    }
    if (missing.size() < words.size()) {
        taviro::remove_from_user_lexicon(file, words, tell);
    }
    for (const std::string& word : missing) {
        std::cerr << kProgram << ": no entry for " << word << '\n';
    }
    return missing.empty() ? kDone : kFailed;
}

int list_entries(const Arguments& arguments) {
    if (!arguments.names.empty()) {
        throw UsageError{"list takes no words"};
    }
    for (const taviro::LexiconEntry& entry : taviro::read_user_lexicon(existing_file(lexicon_file(arguments)))) {
        std::cout << taviro::to_utf8(entry.word) << '\t' << taviro::to_utf8(entry.roman) << '\n';
    }
    return kDone;
}

int import_entries(const Arguments& arguments) {
    if (arguments.names.size() != 1) {
        throw UsageError{"import needs one lexicon file"};
    }
    const std::string& name = arguments.names.front();
    taviro::InputFile text{fs::path(name)};
    const taviro::ParsedLexicon parsed = taviro::parse_lexicon(text, name);
    for (const std::string& problem : parsed.problems) {
        std::cerr << kProgram << ": " << problem << '\n';
    }
    if (!parsed.problems.empty()) {
        throw std::runtime_error(std::to_string(parsed.problems.size()) + " bad entries, so nothing was added");
    }
    taviro::add_to_user_lexicon(lexicon_file(arguments), parsed.entries, tell);
    std::cout << parsed.entries.size() << " entries added\n";
    return kDone;
}

std::string counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// A build replaces its destination whole, so a dictionary someone has put
// entries into is replaced only when they say so. A file the programs would
// not read as a dictionary holds no entries they could use.
void refuse_to_lose_entries(const fs::path& output, const std::optional<fs::path>& base) {
    std::error_code error;
    if (!fs::exists(output, error) || (base && taviro::is_same_file(*base, output))) {
        return;
    }
    taviro::LexiconSizes sizes;
    try {
        sizes = taviro::count_lexicon_entries(output);
    } catch (const taviro::StoreError&) {
        return;
    }
    if (sizes.user_entries > 0 || sizes.loanwords > 0) {
        throw std::runtime_error(taviro::quoted_name(output) + " holds " +
                                 counted(sizes.user_entries, "entry of your own", "entries of your own") + " and " +
                                 counted(sizes.loanwords, "loanword", "loanwords") +
                                 "; use --force to replace it, or --base to build on it");
    }
}

int build(const Arguments& arguments) {
    if (arguments.names.empty() || !arguments.output) {
        throw UsageError{"build needs one or more word lists and -o FILE"};
    }
    std::optional<fs::path> base_file;
    if (arguments.base) {
        base_file = *arguments.base == "default" ? default_dictionary() : existing_file(*arguments.base);
    }
    if (!arguments.force) {
        refuse_to_lose_entries(*arguments.output, base_file);
    }
    std::optional<taviro::DictionaryContents> base;
    taviro::WordListReader reader;
    if (base_file) {
        base = taviro::read_dictionary(*base_file);
        reader.build_on(base->words);
    }
    for (const std::string& name : arguments.names) {
        // The dictionary replaces the file it is written to; a list must survive.
        if (taviro::is_same_file(name, *arguments.output)) {
            throw std::runtime_error(taviro::quoted_name(*arguments.output) + " is one of the word lists");
        }
        // The reader looks at the start for the encoding, then reads from it again.
        std::istringstream list(taviro::read_whole_file(name));
        reader.read(list, name);
    }
    for (const std::string& note : reader.notes()) {
        std::cerr << kProgram << ": " << note << '\n';
    }
    if (reader.words().empty() && reader.tally().in_base == 0) {
        throw std::runtime_error("no Gurmukhi word in the lists, so no dictionary was written (" +
                                 describe(reader.tally(), 0) + ")");
    }
    if (!base) {
        taviro::write_word_database(*arguments.output, reader.words());
        std::cout << describe(reader.tally(), reader.words().size()) << '\n';
        return kDone;
    }
    const std::size_t base_words = base->words.size();
    std::vector<std::u16string> words = std::move(base->words);
    words.insert(words.end(), reader.words().begin(), reader.words().end());
    taviro::write_word_database(*arguments.output, words, base->loanwords ? &*base->loanwords : nullptr,
                                base->user_entries);
    std::cout << describe(reader.tally(), reader.words().size(), base_words) << '\n';
    return kDone;
}

// Where the installed dictionary is, so that a user can start their own from
// a copy of it, whichever way the programs were installed.
int show_path(const Arguments& arguments) {
    if (!arguments.names.empty()) {
        throw UsageError{"path takes no words"};
    }
    std::cout << default_dictionary().string() << '\n';
    return kDone;
}

int lookup(const Arguments& arguments) {
    if (arguments.names.empty()) {
        throw UsageError{"lookup needs one or more words"};
    }
    const auto dictionary = open_dictionary(arguments);
    int status = kDone;
    for (const std::string& word : arguments.names) {
        const auto units = taviro::decode_utf8(word);
        if (!units) {
            std::cerr << kProgram << ": the word '" << word << "' is not UTF-8\n";
            status = kFailed;
            continue;
        }
        try {
            std::cout << describe(*units, taviro::look_up(*units, *dictionary)) << '\n';
        } catch (const taviro::EngineError& error) {
            std::cerr << kProgram << ": " << word << ": " << error.what() << '\n';
            status = kFailed;
        }
    }
    return status;
}

// Each word of each argument as a conversion of that argument alone writes it,
// and how it was finished, in the words the page and Python use.
int explain(const Arguments& arguments) {
    if (arguments.names.empty()) {
        throw UsageError{"explain needs one or more words"};
    }
    const auto dictionary = open_dictionary(arguments);
    int status = kDone;
    for (const std::string& word : arguments.names) {
        const auto units = taviro::decode_utf8(word);
        if (!units) {
            std::cerr << kProgram << ": the word '" << word << "' is not UTF-8\n";
            status = kFailed;
            continue;
        }
        try {
            const taviro::ConvertedText converted = taviro::convert_text_with_words(*units, *dictionary);
            if (converted.words.empty()) {
                std::cerr << kProgram << ": " << word << ": no Gurmukhi word to explain\n";
                status = kFailed;
            }
            for (const taviro::WordReport& report : converted.words) {
                std::cout << taviro::to_utf8(taviro::explain_word(report, *units, converted.text)) << '\n';
            }
        } catch (const taviro::EngineError& error) {
            std::cerr << kProgram << ": " << word << ": " << error.what() << '\n';
            status = kFailed;
        }
    }
    return status;
}

// Takes the converted text and keeps none of it.
class DiscardingSink final : public taviro::UnitSink {
public:
    void write(std::u16string_view) override {}
};

int stats(const Arguments& arguments) {
    if (arguments.names.size() != 1) {
        throw UsageError{"stats needs one text"};
    }
    const auto dictionary = open_dictionary(arguments);
    const std::string& name = arguments.names.front();
    const bool standard_input = name == "-";
    taviro::InputFile text = standard_input ? taviro::InputFile(STDIN_FILENO, "standard input")
                                            : taviro::InputFile(fs::path(name));
    taviro::DecodingSource source(text, arguments.from, standard_input ? "standard input" : taviro::quoted_name(name));
    DiscardingSink sink;
    const taviro::FinishCounts counts = taviro::convert_units(source, sink, *dictionary);
    std::cout << "words: " << counts.words << '\n'
              << "prefix: " << counts.prefixes << '\n'
              << "suffix: " << counts.suffixes << '\n'
              << "split: " << counts.splits << '\n'
              << "lexicon: " << counts.lexicon << '\n'
              << "none: " << counts.unconfirmed << '\n';
    return kDone;
}

int run(const Arguments& arguments) {
    if (arguments.command == "build") return build(arguments);
    if (arguments.command == "lookup") return lookup(arguments);
    if (arguments.command == "explain") return explain(arguments);
    if (arguments.command == "path") return show_path(arguments);
    if (arguments.command == "stats") return stats(arguments);
    if (arguments.command == "add") return add_entry(arguments);
    if (arguments.command == "remove") return remove_entries(arguments);
    if (arguments.command == "list") return list_entries(arguments);
    if (arguments.command == "import") return import_entries(arguments);
    throw UsageError{"unknown command " + taviro::quoted_name(arguments.command)};
}

}  // namespace

int main(int argc, char** argv) {
    taviro::clean_up_on_interrupt();
    const std::span<const char* const> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && (std::string_view(arguments.front()) == "--help" ||
                               std::string_view(arguments.front()) == "-h")) {
        std::cout << kHelp;
        return std::cout.flush() ? kDone : kFailed;
    }
    if (!arguments.empty() && std::string_view(arguments.front()) == "--version") {
        std::cout << kProgram << ' ' << TAVIRO_VERSION << '\n';
        return std::cout.flush() ? kDone : kFailed;
    }
    try {
        if (arguments.empty()) {
            throw UsageError{"a command is needed: build, lookup, explain, stats, add, remove, list, import or path"};
        }
        return run(parse(arguments));
    } catch (const UsageError& error) {
        std::cerr << kProgram << ": " << error.problem << '\n'
                  << "Try '" << kProgram << " --help' for more information.\n";
        return kWrongUsage;
    } catch (const std::exception& error) {
        std::cerr << kProgram << ": " << error.what() << '\n';
        return kFailed;
    }
}
