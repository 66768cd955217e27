// taviro-build-dictionary WORDLIST OUTPUT [LOANWORDS [SPELLINGS]]
//
// Turns a Gurmukhi word list (UTF-8, one entry a line) into the word dictionary
// words.mdb: every entry that can be a word, romanized, each text once, with
// an empty user lexicon and, when given, the loanword lexicon LOANWORDS
// ("WORD<tab>ROMAN" a line, as taviro-build-loanwords writes it) and the
// English spellings of its words, SPELLINGS ("WORD<tab>ENGLISH").

#include <exception>
#include <fstream>
#include <iostream>

#include "taviro/dict/lexicon_file.h"
#include "taviro/dict/word_database_writer.h"
#include "taviro/dict/word_list.h"

namespace {

constexpr const char* kProgram = "taviro-build-dictionary";

// The loanword lexicon, every entry checked as a user's would be.
std::vector<taviro::LexiconEntry> read_loanwords(const char* name) {
    std::ifstream file(name, std::ios::binary);
    if (!file) {
        throw std::runtime_error(std::string("cannot open '") + name + "'");
    }
    taviro::ParsedLexicon parsed = taviro::parse_lexicon(file, name);
    if (!parsed.problems.empty()) {
        throw std::runtime_error(parsed.problems.front());
    }
    return std::move(parsed.entries);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        std::cerr << "usage: " << kProgram << " WORDLIST OUTPUT [LOANWORDS [SPELLINGS]]\n";
        return 2;
    }
    std::ifstream list(argv[1], std::ios::binary);
    if (!list) {
        std::cerr << kProgram << ": cannot open '" << argv[1] << "'\n";
        return 1;
    }
    try {
        taviro::WordListReader reader;
        reader.read(list, argv[1]);
        for (const std::string& note : reader.notes()) {
            std::cerr << kProgram << ": " << note << '\n';
        }
        if (argc >= 4) {
            const std::vector<taviro::LexiconEntry> loanwords = read_loanwords(argv[3]);
            const std::vector<taviro::LexiconEntry> spellings =
                argc == 5 ? read_loanwords(argv[4]) : std::vector<taviro::LexiconEntry>();
            taviro::write_word_database(argv[2], reader.words(), &loanwords, {}, argc == 5 ? &spellings : nullptr);
        } else {
            taviro::write_word_database(argv[2], reader.words());
        }
        std::cout << kProgram << ": " << describe(reader.tally(), reader.words().size()) << '\n';
    } catch (const std::exception& error) {
        std::cerr << kProgram << ": " << error.what() << '\n';
        return 1;
    }
    return 0;
}
