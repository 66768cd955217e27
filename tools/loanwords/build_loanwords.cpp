// taviro-build-loanwords CMUDICT ENGLISH WORDLIST LEXICON REPORT
//
// Finds the English loanwords of the Gurmukhi word list with the CMU
// pronouncing dictionary, for the English words of the list ENGLISH, and writes them as the loanword lexicon, one
// "WORD<tab>ROMAN" a line (UTF-8), for the dictionary builder to put into
// words.mdb. REPORT tells how many words it covers, why the others were left
// to the rules, and shows a random sample of entries beside the rules' form,
// for a reader to judge.

#include <algorithm>
#include <array>
#include <exception>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "loanword_lexicon.h"
#include "taviro/dict/word_list.h"
#include "taviro/dict/word_lookup.h"
#include "taviro/encoding/utf8_decoder.h"
#include "taviro/memory_dictionary.h"
#include "taviro/word_builder.h"

namespace {

constexpr const char* kProgram = "taviro-build-loanwords";
constexpr std::size_t kSampleSize = 200;
// Fixed, so that the report of one build is the report of every build.
constexpr std::mt19937::result_type kSampleSeed = 15;

using taviro::loanwords::Loanword;
using taviro::loanwords::Verdict;

std::string read_all(const char* name) {
    std::ifstream file(name, std::ios::binary);
    if (!file) throw std::runtime_error(std::string("cannot open '") + name + "'");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The list's words, each once as the run reads it.
std::vector<std::u16string> list_words(const std::string& list) {
    std::vector<std::u16string> words;
    std::unordered_set<std::u16string> seen;
    std::istringstream lines(list);
    std::string line;
    while (std::getline(lines, line)) {
        const auto units = taviro::decode_utf8(line);
        if (!units || units->empty() || units->front() == u'#') continue;
        std::u16string word = *units;
        std::erase_if(word, [](char16_t unit) { return unit == u' ' || unit == u'\t' || unit == u'\r'; });
        if (!word.empty() && seen.insert(word).second) words.push_back(std::move(word));
    }
    return words;
}

taviro::MemoryDictionary native_dictionary(const std::string& list) {
    taviro::WordListReader reader;
    std::istringstream text(list);
    reader.read(text, "the word list");
    return taviro::MemoryDictionary(reader.words());
}

void write_lexicon(const char* name, const std::vector<Loanword>& entries) {
    std::ofstream out(name, std::ios::binary);
    out << "# The loanword lexicon, built by " << kProgram << " from the CMU pronouncing dictionary\n"
        << "# (festlex-cmu; see the NOTICE beside this tool) and the Gurmukhi word list.\n";
    for (const Loanword& entry : entries) {
        out << taviro::to_utf8(entry.word) << '\t' << taviro::to_utf8(entry.roman) << '\n';
    }
    if (!out.flush()) throw std::runtime_error(std::string("cannot write '") + name + "'");
}

void write_report(const char* name, const std::vector<Loanword>& entries,
                  const std::array<std::size_t, taviro::loanwords::kVerdicts>& tally, std::size_t words,
                  std::size_t pronunciations) {
    std::ofstream out(name, std::ios::binary);
    out << "Loanword lexicon\n\n"
        << pronunciations << " English pronunciations, " << words << " Gurmukhi words in the list.\n"
        << entries.size() << " entries: " << (words == 0 ? 0.0 : 100.0 * static_cast<double>(entries.size()) / words)
        << " % of the list's words.\n\nWords left to the rules:\n";
    for (std::size_t verdict = 1; verdict < tally.size(); ++verdict) {
        out << "  " << tally[verdict] << "  " << verdict_name(static_cast<Verdict>(verdict)) << '\n';
    }
    std::vector<Loanword> sample;
    std::ranges::sample(entries, std::back_inserter(sample), kSampleSize, std::mt19937(kSampleSeed));
    out << "\nA random sample of " << sample.size() << " of the " << entries.size() << " entries (seed " << kSampleSeed
        << "): word, the rules' form, the lexicon's form, the English word.\n\n";
    for (const Loanword& entry : sample) {
        out << taviro::to_utf8(entry.word) << '\t' << taviro::to_utf8(entry.rules) << '\t'
            << taviro::to_utf8(entry.roman) << '\t' << entry.english << '\n';
    }
    if (!out.flush()) throw std::runtime_error(std::string("cannot write '") + name + "'");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::cerr << "usage: " << kProgram << " CMUDICT ENGLISH WORDLIST LEXICON REPORT\n";
        return 2;
    }
    try {
        const taviro::loanwords::LoanwordFinder finder(read_all(argv[1]), read_all(argv[2]));
        const std::string list = read_all(argv[3]);
        const taviro::MemoryDictionary native = native_dictionary(list);
        const std::vector<std::u16string> words = list_words(list);
        std::array<std::size_t, taviro::loanwords::kVerdicts> tally{};
        std::vector<Loanword> entries;
        for (const std::u16string& word : words) {
            Loanword entry;
            const Verdict verdict = finder.find(word, native, entry);
            ++tally[static_cast<std::size_t>(verdict)];
            if (verdict == Verdict::entry) entries.push_back(std::move(entry));
        }
        std::ranges::sort(entries, {}, &Loanword::word);
        // Not std::ranges::unique: clang's fuzzing build cannot use its result with this library.
        const auto same_word = [](const Loanword& a, const Loanword& b) { return a.word == b.word; };
        entries.erase(std::unique(entries.begin(), entries.end(), same_word), entries.end());
        write_lexicon(argv[4], entries);
        write_report(argv[5], entries, tally, words.size(), finder.pronunciations());
        std::cout << kProgram << ": " << entries.size() << " loanwords of " << words.size() << " words\n";
    } catch (const std::exception& error) {
        std::cerr << kProgram << ": " << error.what() << '\n';
        return 1;
    }
    return 0;
}
