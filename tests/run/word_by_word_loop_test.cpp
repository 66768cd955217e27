// The word-by-word loop that runs use must write exactly what the literal
// unit-by-unit loop writes, on real text, whatever the dictionary and however
// the source cuts its blocks.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "taviro/encoding/utf8_decoder.h"
#include "taviro/convert/read_loop.h"
#include "taviro/run/word_store.h"
#include "trickling_unit_source.h"
#include "unit_by_unit_loop.h"

namespace taviro {
namespace {

// Real Punjabi text: the first lines of the corpus, with the line ends it has.
// Without the corpus these tests would compare empty texts and prove nothing.
std::u16string corpus_slice(std::size_t lines) {
    std::ifstream in(TAVIRO_CORPUS);
    if (!in) throw std::runtime_error("cannot read the corpus " TAVIRO_CORPUS);
    std::string text;
    std::string line;
    for (std::size_t i = 0; i < lines && std::getline(in, line); ++i) {
        text += line;
        text += i % 7 == 0 ? "\r\n" : "\n";
    }
    const auto units = decode_utf8(text);
    return units ? *units : std::u16string();
}

struct Outputs {
    std::u16string fast;
    std::u16string chopped;
    std::u16string literal;
    FinishCounts fast_counts;
    FinishCounts literal_counts;
};

Outputs convert_three_ways(const std::u16string& source, const Dictionary& dictionary) {
    Outputs out;
    MemoryUnitSource whole(source);
    MemoryUnitSink fast;
    out.fast_counts = convert_units(whole, fast, dictionary);
    TricklingUnitSource chopped(source);
    MemoryUnitSink chopped_sink;
    convert_units(chopped, chopped_sink, dictionary);
    MemoryUnitSource units(source);
    MemoryUnitSink literal;
    out.literal_counts = convert_units_unit_by_unit(units, literal, dictionary);
    out.fast = fast.text();
    out.chopped = chopped_sink.text();
    out.literal = literal.text();
    return out;
}

void expect_same(const Outputs& out) {
    ASSERT_FALSE(out.literal.empty());
    EXPECT_TRUE(out.fast == out.literal) << "the word-by-word loop differs from the literal loop";
    EXPECT_TRUE(out.chopped == out.literal) << "small blocks change the output";
    EXPECT_TRUE(out.fast_counts == out.literal_counts) << "the counts differ";
}

TEST(WordByWordLoop, WritesWhatTheLiteralLoopWritesOnTheCorpusWithTheWordDictionary) {
    const WordStore dictionary(TAVIRO_WORDS_MDB);
    const Outputs out = convert_three_ways(corpus_slice(1500), dictionary);
    expect_same(out);
    EXPECT_GT(out.literal_counts.splits, 0u);  // the dictionary did take part
}

TEST(WordByWordLoop, WritesWhatTheLiteralLoopWritesOnTheCorpusWithNoDictionary) {
    expect_same(convert_three_ways(corpus_slice(1500), MemoryDictionary()));
}

TEST(WordByWordLoop, WritesWhatTheLiteralLoopWritesForShortWordsLineEndsAndLexiconWords) {
    // One-letter words whose final "a" depends on the counter, line ends of
    // every kind, nukta pairs cut by blocks, words too long to be remembered.
    std::u16string source = u"ਕ ਕ ਕ\r\nਕ ਕ\nਕ\rਕ ਸ\u0A3Cਾ ਸ\u0A3C\u0A3C ਪੱਕਾ ";
    source += std::u16string(60, u'\u0A15') + u" " + std::u16string(60, u'\u0A15') + u"\r\n\n\r";
    for (int i = 0; i < 4; ++i) source += source;
    expect_same(convert_three_ways(source, MemoryDictionary({u"kamal", u"ka"})));
    // A lexicon's words leave the counter and the line ends as they were.
    MemoryDictionary lexicon({u"kamal", u"ka"});
    lexicon.pronounce(u"ਕ", u"KA", Lexicon::user);
    lexicon.pronounce(u"ਸ਼ਾ", u"SHAA", Lexicon::loanword);
    lexicon.pronounce(u"ਪੱਕਾ", u"PAKKA", Lexicon::user);
    const Outputs out = convert_three_ways(source, lexicon);
    expect_same(out);
    EXPECT_GT(out.literal_counts.lexicon, 0u);
}

TEST(WordByWordLoop, WritesWhatTheLiteralLoopWritesOnTheCorpusWithTheLoanwordLexicon) {
    const WordStore dictionary(TAVIRO_WORDS_MDB, WordStoreOptions{.loanwords = true});
    const Outputs out = convert_three_ways(corpus_slice(1500), dictionary);
    expect_same(out);
    EXPECT_GT(out.literal_counts.lexicon, 0u);
}

TEST(WordByWordLoop, WritesWhatTheLiteralLoopWritesOnTheCorpusInSpokenForms) {
    const WordStore dictionary(TAVIRO_WORDS_MDB, WordStoreOptions{.spoken = true});
    const Outputs out = convert_three_ways(corpus_slice(1500), dictionary);
    expect_same(out);
    const WordStore loanwords(TAVIRO_WORDS_MDB, WordStoreOptions{.loanwords = true});
    EXPECT_NE(out.literal, convert_three_ways(corpus_slice(1500), loanwords).literal);  // the rule took part
    const WordStore plain(TAVIRO_WORDS_MDB, WordStoreOptions{.scheme = Scheme::ascii});
    expect_same(convert_three_ways(corpus_slice(1500), plain));
}

}  // namespace
}  // namespace taviro
