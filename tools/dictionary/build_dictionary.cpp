// taviro-build-dictionary WORDLIST OUTPUT
//
// Turns a Gurmukhi word list (UTF-8, one entry a line) into the word dictionary
// words.mdb: every entry that can be a word, romanized, each text once.

#include <exception>
#include <fstream>
#include <iostream>

#include "taviro/dict/word_database_writer.h"
#include "taviro/dict/word_list.h"

namespace {

constexpr const char* kProgram = "taviro-build-dictionary";

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: " << kProgram << " WORDLIST OUTPUT\n";
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
        taviro::write_word_database(argv[2], reader.words());
        std::cout << kProgram << ": " << describe(reader.tally(), reader.words().size()) << '\n';
    } catch (const std::exception& error) {
        std::cerr << kProgram << ": " << error.what() << '\n';
        return 1;
    }
    return 0;
}
