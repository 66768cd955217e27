// taviro-build-dictionary WORDLIST OUTPUT
//
// Turns a Gurmukhi word list (UTF-8, one entry a line) into the word dictionary
// words.mdb: every entry that can be a word, romanized, each text once.

#include <array>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>
#include <unordered_set>
#include <vector>

#include "dictionary_entry.h"
#include "utf8_decoding.h"
#include "word_database_writer.h"

namespace {

constexpr const char* kProgram = "taviro-build-dictionary";

struct Tally {
    std::size_t read = 0;
    std::size_t not_utf8 = 0;
    std::size_t repeated = 0;
    std::array<std::size_t, 5> by_verdict{};  // indexed by EntryVerdict
};

void strip_line_end(std::string& line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
}

std::vector<std::u16string> read_words(std::istream& list, Tally& tally) {
    std::vector<std::u16string> words;
    std::unordered_set<std::u16string> seen;
    std::string line;
    while (std::getline(list, line)) {
        ++tally.read;
        strip_line_end(line);
        const auto gurmukhi = taviro::decode_utf8(line);
        if (!gurmukhi) {
            ++tally.not_utf8;
            continue;
        }
        taviro::DictionaryEntry entry = taviro::romanize_entry(*gurmukhi);
        ++tally.by_verdict[static_cast<std::size_t>(entry.verdict)];
        if (entry.verdict != taviro::EntryVerdict::kept) {
            continue;
        }
        if (!seen.insert(entry.roman).second) {
            ++tally.repeated;
            continue;
        }
        words.push_back(std::move(entry.roman));
    }
    return words;
}

void print_tally(const Tally& tally, std::size_t written) {
    using taviro::EntryVerdict;
    const auto count = [&tally](EntryVerdict verdict) {
        return tally.by_verdict[static_cast<std::size_t>(verdict)];
    };
    std::cout << kProgram << ": " << tally.read << " entries read; dropped "
              << count(EntryVerdict::holds_separator) << " holding a separator, "
              << count(EntryVerdict::no_vowel) << " without a vowel, "
              << count(EntryVerdict::not_letters_only) << " not letters only, "
              << count(EntryVerdict::untransliterable) << " not transliterable, "
              << tally.not_utf8 << " not UTF-8, " << tally.repeated << " repeating a text; "
              << written << " words written\n";
}

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
        Tally tally;
        const std::vector<std::u16string> words = read_words(list, tally);
        if (list.bad()) {
            std::cerr << kProgram << ": cannot read '" << argv[1] << "'\n";
            return 1;
        }
        taviro::write_word_database(argv[2], words);
        print_tally(tally, words.size());
    } catch (const std::exception& error) {
        std::cerr << kProgram << ": " << error.what() << '\n';
        return 1;
    }
    return 0;
}
