// taviro-build-loanwords CMUDICT ENGLISH WORDLIST LEXICON SPELLINGS REPORT [TEXT...]
//
// Finds the English loanwords of the Gurmukhi word list, and of every word of
// the TEXTs (UTF-8 Punjabi text, read as a run splits it into words), with the
// CMU pronouncing dictionary, for the English words of the list ENGLISH, and
// writes them as the loanword lexicon, one "WORD<tab>ROMAN" a line (UTF-8),
// for the dictionary builder to put into words.mdb. SPELLINGS, in the same
// form, holds the English word that plain letters write for each entry,
// wherever no other English word fits it as well. The word list alone is
// the native dictionary the words are judged against. Real text holds
// loanwords that no word list has (ਇੰਡੈਕਸ, ਡਿਫਾਲਟ, ਪਰਿੰਟਰ); the list is where
// the native words come from. REPORT tells how many words it covers, why the
// others were left to the rules, and shows a random sample of entries beside
// the rules' form, and one of the entries that only the texts gave, for a
// reader to judge.

#include <algorithm>
#include <array>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "loanword_lexicon.h"
#include "taviro/convert/separator.h"
#include "taviro/dict/word_list.h"
#include "taviro/dict/word_lookup.h"
#include "taviro/encoding/utf8_decoder.h"
#include "taviro/engine_error.h"
#include "taviro/gurmukhi.h"
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

// The words of a text that are Gurmukhi through and through, each once and
// not already in `seen`, in the order they first come.
std::vector<std::u16string> text_words(const std::string& text, std::unordered_set<std::u16string>& seen) {
    const auto units = taviro::decode_utf8(text);
    if (!units) throw std::runtime_error("a text is not valid UTF-8");
    std::vector<std::u16string> words;
    std::u16string word;
    const auto take_word = [&] {
        if (!word.empty() && std::ranges::all_of(word, taviro::in_gurmukhi_block) && seen.insert(word).second) {
            words.push_back(word);
        }
        word.clear();
    };
    for (const char16_t unit : *units) {
        if (taviro::is_separator(unit)) {
            take_word();
        } else {
            word.push_back(unit);
        }
    }
    take_word();
    return words;
}

// A word with a subjoined r written as a full one: ਗ੍ਰਾਫਿਕ and ਗਰਾਫਿਕ are
// one word.
std::u16string with_full_r(std::u16string word) {
    for (std::size_t at = word.find(u"\u0A4D\u0A30"); at != std::u16string::npos; at = word.find(u"\u0A4D\u0A30", at)) {
        word.erase(at, 1);
    }
    return word;
}

// The words of the list and the texts as the run reads them.
std::unordered_set<std::u16string> words_as_read(const std::unordered_set<std::u16string>& words) {
    std::unordered_set<std::u16string> read;
    for (const std::u16string& word : words) {
        try {
            read.insert(with_full_r(taviro::units_as_read(word)));
        } catch (const taviro::EngineError&) {
            read.insert(with_full_r(word));
        }
    }
    return read;
}

taviro::MemoryDictionary native_dictionary(const std::string& list) {
    taviro::WordListReader reader;
    std::istringstream text(list);
    reader.read(text, "the word list");
    return taviro::MemoryDictionary(reader.words());
}

// The lexicon's entries, or with `spellings` the English spellings of those
// that have one.
void write_lexicon(const char* name, const std::vector<Loanword>& entries, bool spellings = false) {
    std::ofstream out(name, std::ios::binary);
    out << "# The loanword " << (spellings ? "spellings, the English words plain letters write for loanwords, "
                                           : "lexicon, ")
        << "built by " << kProgram << " from the CMU pronouncing dictionary\n"
        << "# (festlex-cmu; see the NOTICE beside this tool), the Gurmukhi word list and the corpus's words.\n";
    for (const Loanword& entry : entries) {
        if (spellings && entry.spelling.empty()) continue;
        out << taviro::to_utf8(entry.word) << '\t' << (spellings ? entry.spelling : taviro::to_utf8(entry.roman))
            << '\n';
    }
    if (!out.flush()) throw std::runtime_error(std::string("cannot write '") + name + "'");
}

// The words judged, from the list and from the texts, and how each came out.
struct Findings {
    std::size_t list_words = 0;
    std::size_t text_words = 0;
    std::array<std::size_t, taviro::loanwords::kVerdicts> tally{};
    std::vector<Loanword> entries;  // sorted by word
    std::vector<Loanword> text_entries;  // those of words only the texts hold
    std::vector<Loanword> unbacked;  // of the texts, English inflections without their base
};

void write_sample(std::ostream& out, const std::vector<Loanword>& entries, std::string_view which) {
    std::vector<Loanword> sample;
    std::ranges::sample(entries, std::back_inserter(sample), kSampleSize, std::mt19937(kSampleSeed));
    out << "\nA random sample of " << sample.size() << " of the " << entries.size() << ' ' << which << " (seed "
        << kSampleSeed << "): word, the rules' form, the lexicon's form, the English word.\n\n";
    for (const Loanword& entry : sample) {
        out << taviro::to_utf8(entry.word) << '\t' << taviro::to_utf8(entry.rules) << '\t'
            << taviro::to_utf8(entry.roman) << '\t' << entry.english << '\n';
    }
}

void write_report(const char* name, const Findings& found, std::size_t pronunciations) {
    std::ofstream out(name, std::ios::binary);
    const std::size_t words = found.list_words + found.text_words;
    out << "Loanword lexicon\n\n"
        << pronunciations << " English pronunciations, " << found.list_words << " Gurmukhi words in the list and "
        << found.text_words << " more in the texts.\n"
        << found.entries.size() << " entries: "
        << (words == 0 ? 0.0 : 100.0 * static_cast<double>(found.entries.size()) / static_cast<double>(words))
        << " % of the words; " << found.text_entries.size() << " of them only the texts hold.\n\n"
        << "Words left to the rules:\n";
    for (std::size_t verdict = 1; verdict < found.tally.size(); ++verdict) {
        out << "  " << found.tally[verdict] << "  " << verdict_name(static_cast<Verdict>(verdict)) << '\n';
    }
    out << "  " << found.unbacked.size()
        << "  of the texts only, an English plural or past form whose base neither the list nor the texts write:";
    for (const Loanword& entry : found.unbacked) out << ' ' << taviro::to_utf8(entry.word);
    out << '\n';
    write_sample(out, found.entries, "entries");
    write_sample(out, found.text_entries, "entries only the texts hold");
    if (!out.flush()) throw std::runtime_error(std::string("cannot write '") + name + "'");
}

void judge(const taviro::loanwords::LoanwordFinder& finder, const taviro::MemoryDictionary& native,
           const std::vector<std::u16string>& words, Findings& found, std::vector<Loanword>& entries) {
    for (const std::u16string& word : words) {
        Loanword entry;
        const Verdict verdict = finder.find(word, native, entry);
        ++found.tally[static_cast<std::size_t>(verdict)];
        if (verdict == Verdict::entry) entries.push_back(std::move(entry));
    }
}

// Sorted by word, each word once: of two spellings that read alike, the
// first one's entry.
void sort_entries(std::vector<Loanword>& entries) {
    std::ranges::stable_sort(entries, {}, &Loanword::word);
    // Not std::ranges::unique: clang's fuzzing build cannot use its result with this library.
    const auto same_word = [](const Loanword& a, const Loanword& b) { return a.word == b.word; };
    entries.erase(std::unique(entries.begin(), entries.end(), same_word), entries.end());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 7) {
        std::cerr << "usage: " << kProgram << " CMUDICT ENGLISH WORDLIST LEXICON SPELLINGS REPORT [TEXT...]\n";
        return 2;
    }
    try {
        const taviro::loanwords::LoanwordFinder finder(read_all(argv[1]), read_all(argv[2]));
        const std::string list = read_all(argv[3]);
        const taviro::MemoryDictionary native = native_dictionary(list);
        const std::vector<std::u16string> words = list_words(list);
        std::unordered_set<std::u16string> seen(words.begin(), words.end());
        std::vector<std::u16string> more;
        for (int text = 7; text < argc; ++text) {
            std::ranges::move(text_words(read_all(argv[text]), seen), std::back_inserter(more));
        }
        Findings found;
        found.list_words = words.size();
        found.text_words = more.size();
        judge(finder, native, words, found, found.entries);
        sort_entries(found.entries);
        judge(finder, native, more, found, found.text_entries);
        sort_entries(found.text_entries);
        // A text's spelling that reads as a word of the list adds nothing.
        std::erase_if(found.text_entries, [&](const Loanword& entry) {
            return std::ranges::binary_search(found.entries, entry.word, {}, &Loanword::word);
        });
        // The list vouches for its words; a text may misspell one (ਲੂਟਸ for
        // Lotus) into an English plural or past form that happens to fit.
        // English inflections come into Punjabi beside their base (ਲੈਬ,
        // ਲੈਬਜ਼), so a text's word that is one stands only with its base
        // written somewhere.
        const std::unordered_set<std::u16string> written = words_as_read(seen);
        std::erase_if(found.text_entries, [&](const Loanword& entry) {
            if (entry.base.empty() || written.contains(with_full_r(entry.base))) return false;
            found.unbacked.push_back(entry);
            return true;
        });
        std::ranges::copy(found.text_entries, std::back_inserter(found.entries));
        sort_entries(found.entries);
        write_lexicon(argv[4], found.entries);
        write_lexicon(argv[5], found.entries, true);
        write_report(argv[6], found, finder.pronunciations());
        std::cout << kProgram << ": " << found.entries.size() << " loanwords of " << words.size() + more.size()
                  << " words\n";
    } catch (const std::exception& error) {
        std::cerr << kProgram << ": " << error.what() << '\n';
        return 1;
    }
    return 0;
}
