#include "taviro/convert/read_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "taviro/convert/run_error.h"
#include "taviro/convert/separator.h"
#include "taviro/convert/text_conversion.h"
#include "taviro/tables.h"
#include "unit_by_unit_loop.h"

namespace taviro {
namespace {

std::u16string convert(std::u16string source, const Dictionary& dictionary = MemoryDictionary()) {
    MemoryUnitSource input(std::move(source));
    MemoryUnitSink output;
    convert_units(input, output, dictionary);
    return output.text();
}

// Hands out one unit per read, as an unbuffered stream would.
class OneUnitSource final : public UnitSource {
public:
    explicit OneUnitSource(std::u16string units) : units_(std::move(units)) {}
    std::size_t read(std::span<char16_t> units) override {
        if (position_ == units_.size()) {
            return 0;
        }
        units[0] = units_[position_++];
        return 1;
    }

private:
    std::u16string units_;
    std::size_t position_ = 0;
};

struct LoopCase {
    const char* name;
    std::u16string source;
    std::u16string expected;
};
void PrintTo(const LoopCase& c, std::ostream* os) { *os << c.name; }

class ReadLoopOutput : public ::testing::TestWithParam<LoopCase> {};

TEST_P(ReadLoopOutput, WritesWordsAndSeparatorsInSourceOrder) {
    EXPECT_EQ(convert(GetParam().source), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadLoopOutput,
    ::testing::Values(
        LoopCase{"EmptySourceWritesNothing", u"", u""},
        // The end of the text ends the last word as a separator would.
        LoopCase{"LastWordIsWrittenAsIfASeparatorFollowed", u"ਕ ਘਰ ਨ", u"ka ghar na"},
        LoopCase{"LastWordAfterACountedWordLosesItsA", u"ਘਰ ਨ ਨ", u"ghar na n"},
        // The counter is 2 at the first space, so "ka" stays; the second word
        // reaches 4 and loses its "a".
        LoopCase{"OneLetterWordsFollowTheCounter", u"ਕ ਕ ", u"ka k "},
        LoopCase{"LineFeedResetsCounterBeforeOneLetterWord", u"ਕਮਲ\nਕ ", u"kamal\nka "},
        // The carriage return resets the counter; the line feed brings it to 1.
        LoopCase{"CrLfLeavesCounterAtOneBeforeOneLetterWord", u"ਕਮਲ\r\nਕ ", u"kamal\nk "},
        LoopCase{"OneLetterWordAfterSpaceKeepsItsA", u"ਕਮਲ ਕ ", u"kamal ka "},
        LoopCase{"LoneCarriageReturnBreaksTheLine", u"ਕਮਲ\rਕ ", u"kamal\nka "},
        LoopCase{"LineFeedAfterCarriageReturnWritesNothing", u"ਕਿ\r\n\r\n", u"ki\n\n"},
        LoopCase{"LineFeedBeforeCarriageReturnIsItsOwnBreak", u"ਕਿ\n\rਕਿ", u"ki\n\nki"},
        LoopCase{"SeparatorsInARowWriteEachText", u"ਕਿ,  ਪੱਕਾ", u"ki,  pakkā"},
        LoopCase{"DandaBecomesFullStop", u"ਸੰਤ।", u"sant."},
        LoopCase{"DoubleDandaIsCopied", u"ਸੰਤ॥", u"sant॥"},
        LoopCase{"AsciiDigitsAndPunctuationAreCopied", u"(12)-?{|}[\\]\t\f", u"(12)-?{|}[\\]\t\f"},
        LoopCase{"GurmukhiDigitsAreWordCharacters", u"੧੨ ", u"12 "},
        LoopCase{"BindiIsTakenAsTippi", u"ਅਂਗ ", u"aṅg "},
        // The composed letter counts once: counted with its nukta, the first
        // word would reach 3 at its space and lose its "a".
        LoopCase{"DecomposedNuktaLetterActsAsPrecomposed", u"ਸ\u0A3C ਖ\u0A3C ਲ\u0A3C", u"sha ḵẖ ḷa"},
        // Before: the nukta, and the marker texts of addak and iri, reached the Roman text.
        LoopCase{"NuktaNoLetterTakesReadsAsNothing", u"ਕ\u0A3C", u"ka"},
        LoopCase{"AddakBeforePunctuationWritesNothing", u"ਕੱ! ਕੱ", u"ka! ka"},
        LoopCase{"UdaatBetweenCarriageReturnAndLineFeedLeavesOneLineEnd", u"ਕਿ\r\u0A51\nਕਿ \u0A75 ", u"ki\nki  "},
        LoopCase{"RepeatedNuktaAddsNothing", u"ਸਿਰਫ਼\u0A3C ਸ\u0A3C\u0A3Cਾ", u"siraf shā"},
        LoopCase{"NuktaLetterAtTheEndOfInputIsKept", u"ਕਿਸ", u"kis"}),
    [](const ::testing::TestParamInfo<LoopCase>& info) { return std::string(info.param.name); });

// Text around words changes no word: typographic punctuation, spaces and
// symbols end a word as ASCII separators do, a word without Gurmukhi stands
// as written, and format characters beside Gurmukhi are read as absent.
// Every loop agrees, however the units arrive.
class TextAroundWords : public ::testing::TestWithParam<LoopCase> {};

TEST_P(TextAroundWords, ChangesNoWord) {
    const MemoryDictionary dictionary({u"kamal", u"nayan"});
    EXPECT_EQ(convert(GetParam().source, dictionary), GetParam().expected);
    OneUnitSource units(GetParam().source);
    MemoryUnitSink one_by_one;
    convert_units(units, one_by_one, dictionary);
    EXPECT_EQ(one_by_one.text(), GetParam().expected);
    MemoryUnitSource literal(GetParam().source);
    MemoryUnitSink reference;
    convert_units_unit_by_unit(literal, reference, dictionary);
    EXPECT_EQ(reference.text(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextAroundWords,
    ::testing::Values(
        LoopCase{"CurlyQuotesPi", u"‘ਕਮਲ’ ‘ਕਮਲਨਯਨ’", u"‘kamal’ ‘kamalnayan’"},
        LoopCase{"DoubleQuotesPf", u"“ਟੈਕਸਟ”", u"“ṭaiksaṭ”"},
        LoopCase{"NoBreakSpaceZs", u"ਕਮਲ\u00A0ਕਮਲ", u"kamal\u00A0kamal"},
        LoopCase{"DashesPd", u"ਕਮਲ–ਕਮਲ—ਕਮਲ", u"kamal–kamal—kamal"},
        LoopCase{"CurrencyScAndOtherSymbolsSo", u"₹ਕਮਲ©", u"₹kamal©"},
        LoopCase{"EmojiPairEndsTheWordWhole", u"ਪੰਜਾਬ😀", u"pañjāb😀"},
        // The pair counts two units: a one-letter word reaches 3 and loses its "a".
        LoopCase{"EmojiPairCountsTwoUnits", u"ਕ😀ਕ ", u"k😀ka "},
        LoopCase{"EmojiWithJoinersComesOutWhole", u"👨\u200D👩\u200D👧 ਕਮਲ", u"👨\u200D👩\u200D👧 kamal"},
        LoopCase{"WordWithoutGurmukhiStandsAsWritten", u"banana analysed Galidiinae ਕਮਲ", u"banana analysed Galidiinae kamal"},
        LoopCase{"LetterBeyondThePlaneIsAWordCharacter", u"x𝐀y", u"x𝐀y"},
        LoopCase{"LoneFirstHalfOfAPairAtTheEnd", u"ਕਮਲ \xD83D", u"kamal \xD83D"},
        LoopCase{"ZeroWidthSpaceInsideAWordIsAbsent", u"ਕਮਲ\u200Bਨਯਨ ਕ\u200B ", u"kamalnayan ka "},
        LoopCase{"JoinersAfterHalantAreAbsent", u"ਕ੍\u200Cਸ ਕ੍\u200Dਸ", u"ks ks"},
        LoopCase{"SoftHyphenAndMarksBesideGurmukhiAreAbsent", u"\uFEFFਕਮ\u00ADਲ\u200E\u200F", u"kamal"},
        LoopCase{"JoinerAwayFromGurmukhiStays", u"a\u200Db \u200B ਕਮਲ", u"a\u200Db \u200B kamal"}),
    [](const ::testing::TestParamInfo<LoopCase>& info) { return std::string(info.param.name); });

// Real web text spells letters in ways the keyboard allows: each reads as the
// letter it stands for, whichever loop reads it.
struct SpellingCase {
    const char* name;
    std::u16string written;
    std::u16string letters;
};
void PrintTo(const SpellingCase& c, std::ostream* os) { *os << c.name; }

class RealSpelling : public ::testing::TestWithParam<SpellingCase> {};

TEST_P(RealSpelling, ReadsAsTheLetterItStandsFor) {
    const std::u16string roman = convert(GetParam().written + u" ");
    EXPECT_EQ(roman, convert(GetParam().letters + u" "));
    MemoryUnitSource units(GetParam().written + u" ");
    MemoryUnitSink unit_by_unit;
    convert_units_unit_by_unit(units, unit_by_unit, MemoryDictionary());
    EXPECT_EQ(unit_by_unit.text(), roman);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RealSpelling,
    ::testing::Values(
        SpellingCase{"IriWithBihari", u"ਗੲੀ", u"ਗਈ"}, SpellingCase{"IriWithSihari", u"ੲਿਸ", u"ਇਸ"},
        SpellingCase{"IriWithLavan", u"ੲੇਹ", u"ਏਹ"}, SpellingCase{"IriWithDulavan", u"ਗੲੈ", u"ਗਐ"},
        SpellingCase{"UraWithAunkar", u"ੳੁਸਦਾ", u"ਉਸਦਾ"}, SpellingCase{"UraWithDulainkar", u"ੳੂਠ", u"ਊਠ"},
        SpellingCase{"UraWithHora", u"ੳੋਹ", u"ਓਹ"}, SpellingCase{"IriAlone", u"ਕੲ", u"ਕਇ"},
        SpellingCase{"UraAlone", u"ੳਮਰ", u"ਉਮਰ"}, SpellingCase{"NuktaBetweenIriAndItsSign", u"ੲ\u0A3Cੀ", u"ਈ"},
        SpellingCase{"DdaWithNuktaIsRra", u"ਡ\u0A3Cਾਕ", u"ੜਾਕ"},
        SpellingCase{"NuktaOnALetterWithoutOne", u"ਕ\u0A3Cਰੀਬ", u"ਕਰੀਬ"},
        SpellingCase{"NuktaAfterAVowelSign", u"ਕਿ\u0A3Cਤ", u"ਕਿਤ"},
        SpellingCase{"UdaatBetweenLetterAndNukta", u"ਗ\u0A51\u0A3Cਲ", u"ਗ਼ਲ"},
        SpellingCase{"YakashInAWord", u"ਕ\u0A75ਮਲ", u"ਕਮਲ"},
        SpellingCase{"AdakBindiIsBindi", u"ਅ\u0A01ਗ", u"ਅਂਗ"},
        SpellingCase{"SecondAddakDoublesNothingMore", u"ਪੱੱਕਾ", u"ਪੱਕਾ"}),
    [](const ::testing::TestParamInfo<SpellingCase>& info) { return std::string(info.param.name); });

TEST(ReadLoop, DictionaryConfirmsSplit) {
    const MemoryDictionary dictionary({u"kamal", u"nayan"});
    EXPECT_EQ(convert(u"ਕਮਲਨਯਨ ", dictionary), u"kamalnayan ");
    EXPECT_EQ(convert(u"ਕਮਲਨਯਨ "), u"kamlanyan ");
}

TEST(ReadLoop, CountsWordsFinishedThroughTheDictionary) {
    const MemoryDictionary dictionary({u"kamal", u"nayan", u"kār", u"dukān", u"kārak"});
    MemoryUnitSource input(u"ਕਮਲਨਯਨ ਉਪਕਾਰ ਦੁਕਾਨਦਾਰ ਕਮਲਨਯਨ  ਉਪਕਾਰਕ ਪੱਕਾ");
    MemoryUnitSink output;
    const FinishCounts counts = convert_units(input, output, dictionary);
    EXPECT_EQ(output.text(), u"kamalnayan upkār dukāndār kamalnayan  upkārak pakkā");
    EXPECT_EQ(counts.words, 6u);
    EXPECT_EQ(counts.prefixes, 2u);  // upkār, and upkārak, which keeps a suffix too
    EXPECT_EQ(counts.suffixes, 2u);
    EXPECT_EQ(counts.splits, 2u);
    EXPECT_EQ(counts.unconfirmed, 1u);
}

// A lexicon's entry replaces the finished word whole: however the word is
// spelt as the run reads it, whatever the dictionary would confirm, and
// with the separators and the counter around it as before.
TEST(ReadLoop, LexiconEntriesWriteWholeWordsAndTheUserWins) {
    MemoryDictionary dictionary({u"kamal", u"nayan"});
    dictionary.pronounce(u"ਜਲੰਧਰ", u"jalandhar", Lexicon::user);
    dictionary.pronounce(u"ਕਮਲਨਯਨ", u"kamal-nayan", Lexicon::loanword);
    dictionary.pronounce(u"ਸ਼ਾਮ", u"shyām", Lexicon::loanword);
    dictionary.pronounce(u"ਸ\u0A3Cਾਮ", u"shām", Lexicon::user);      // the same word: the user wins
    dictionary.pronounce(u"ਸ਼ਾਮ", u"shaam", Lexicon::loanword);       // and keeps winning
    const std::u16string longest(300, u'l');  // longer than the word memory keeps, met twice
    dictionary.pronounce(u"ਲਲ", longest, Lexicon::user);
    MemoryUnitSource input(u"ਜਲਂਧਰ, ਜਲੰਧਰ।ਕਮਲਨਯਨ ਸ਼ਾਮ ਕਮਲ ਕ ਜਲੰਧਰ ਲਲ ਲਲ");
    MemoryUnitSink output;
    const FinishCounts counts = convert_units(input, output, dictionary);
    EXPECT_EQ(output.text(), u"jalandhar, jalandhar.kamal-nayan shām kamal ka jalandhar " + longest + u" " + longest);
    EXPECT_EQ(counts.words, 9u);
    EXPECT_EQ(counts.lexicon, 7u);
    EXPECT_EQ(counts.splits, 0u);
    EXPECT_EQ(counts.unconfirmed, 2u);
}

// A table of the map shows what a conversion writes for every row the
// readings of real text change. Before: bindi ṁ, iri and ura "no conversion".
TEST(ReadLoop, TheTableShowsWhatAConversionWritesForEveryMendedRow) {
    std::size_t mended = 0;
    for (std::size_t row = 0; row < kMapRows; ++row) {
        const MapRow& shown = shown_character_map()[row];
        if (shown.roman == character_map()[row].roman) continue;
        ++mended;
        std::u16string text(shown.roman);
        if (text.ends_with(kTableMarks[2].mark)) text.resize(text.size() - kTableMarks[2].mark.size());
        EXPECT_EQ(convert(std::u16string(1, shown.code_point)), text) << int(shown.code_point);
    }
    EXPECT_EQ(mended, 3U);
}

TEST(ReadLoop, HowManyUnitsTheSourceGivesAtATimeNeverChangesTheText) {
    std::u16string source;
    while (source.size() < 70000) {
        source += u"ਕ ਸ\u0A3Cਾਮ ਪੱਕਾ,\r\nਕਮਲਨਯਨ\rਲ\u0A3C ਸੰਤ। ਕ";
    }
    MemoryUnitSource blocks(source);
    OneUnitSource units(source);
    MemoryUnitSink from_blocks;
    MemoryUnitSink from_units;
    const MemoryDictionary dictionary({u"kamal", u"nayan"});
    convert_units(blocks, from_blocks, dictionary);
    convert_units(units, from_units, dictionary);
    EXPECT_EQ(from_blocks.text(), from_units.text());
}

// More different words than the word memory keeps, so that it grows and then
// starts over, with words met again after that and words too long to keep.
TEST(ReadLoop, RememberingWordsNeverChangesTheText) {
    constexpr std::u16string_view kLetters = u"ਕਖਗਘਚਛਜਝਟਠਡਢਤਥਦਧਨਪਫਬ";
    std::u16string source;
    for (std::size_t word = 0; word < 80000; ++word) {
        for (std::size_t letters = word % 50 == 0 ? 60 : 4, n = word; letters-- > 0; n /= kLetters.size()) {
            source += kLetters[n % kLetters.size()];
        }
        source += word % 11 == 0 ? u"ਾ\r\n" : u" ";
    }
    source += source.substr(0, 4000);
    MemoryUnitSource remembering(source);
    OneUnitSource literal(source);
    MemoryUnitSink fast;
    MemoryUnitSink reference;
    const MemoryDictionary dictionary({u"kakh", u"gagh"});
    const FinishCounts counts = convert_units(remembering, fast, dictionary);
    EXPECT_TRUE(counts == convert_units_unit_by_unit(literal, reference, dictionary));
    EXPECT_TRUE(fast.text() == reference.text());
}

TEST(ReadLoop, CounterHoldsJustUnderItsLimit) {
    const std::u16string longest(32766, u'x');
    EXPECT_EQ(convert(longest + u" "), longest + u" ");
}

TEST(ReadLoop, CounterPastItsLimitFailsBeforeWritingTheWord) {
    MemoryUnitSource input(u"ਕਿ " + std::u16string(32767, u'x') + u" ");
    MemoryUnitSink output;
    try {
        convert_units(input, output, MemoryDictionary());
        FAIL() << "the counter passed 32767 unnoticed";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.kind(), EngineError::Kind::overflow);
    }
    EXPECT_EQ(output.text(), u"ki ");
}

TEST(ReadLoop, AddakBeforeUnmappedCharacterFails) {
    MemoryUnitSource input(u"ਕਿ ਪੱx ਕਿ");
    MemoryUnitSink output;
    EXPECT_THROW(convert_units(input, output, MemoryDictionary()), EngineError);
    EXPECT_EQ(output.text(), u"ki ");
}

TEST(ReadLoop, EachCallStartsClean) {
    const MemoryDictionary dictionary;
    MemoryUnitSource first(u"ਕਮਲ ਪੱ");
    MemoryUnitSink ignored;
    convert_units(first, ignored, dictionary);
    // Leftover counter or pending piece would change this one-letter word.
    EXPECT_EQ(convert(u"ਕ ", dictionary), u"ka ");
}

}  // namespace
}  // namespace taviro

namespace taviro {
namespace {

// What taviro.dask splits a text's lines by: as many line ends as the loop writes.
TEST(TextConversion, CountsTheLineEndsTheLoopWrites) {
    const MemoryDictionary dictionary;
    for (const std::u16string_view text : {u"\u0A15\r\n\u0A15\n", u"\r\r\n\n\r", u"\u0A15\r\u0A51\n\u0A15",
                                           u"\r \n", u"\r\u0A15\n", u"\n\r\u0A75\n"}) {
        const std::u16string roman = convert_text(text, dictionary);
        EXPECT_EQ(count_line_ends(text), static_cast<std::size_t>(std::count(roman.begin(), roman.end(), u'\n')));
    }
}

TEST(TextConversion, ReportsWhereEachWordLiesAndHowItWasFinished) {
    const MemoryDictionary dictionary({u"kamal", u"nayan", u"kār", u"dukān"});
    const std::u16string_view text = u"ਕਮਲਨਯਨ, ਉਪਕਾਰ\r\nਦੁਕਾਨਦਾਰ ਪੱਕਾ";
    const ConvertedText converted = convert_text_with_words(text, dictionary);
    EXPECT_EQ(converted.text, convert_text(text, dictionary));
    EXPECT_EQ(converted.text, u"kamalnayan, upkār\ndukāndār pakkā");

    auto piece = [&](std::size_t begin, std::size_t end) {
        return std::u16string(converted.text.substr(begin, end - begin));
    };
    ASSERT_EQ(converted.words.size(), 4u);
    std::vector<std::u16string> gurmukhi, first, second;
    for (const PlacedWord& word : converted.words) {
        gurmukhi.emplace_back(text.substr(word.source_begin, word.source_end - word.source_begin));
        const std::size_t cut = word.roman_begin + (word.prefix ? word.stem_begin : word.stem_end);
        first.push_back(piece(word.roman_begin, cut));
        second.push_back(piece(cut, word.roman_end));
    }
    EXPECT_EQ(gurmukhi, (std::vector<std::u16string>{u"ਕਮਲਨਯਨ", u"ਉਪਕਾਰ", u"ਦੁਕਾਨਦਾਰ", u"ਪੱਕਾ"}));
    EXPECT_EQ(first, (std::vector<std::u16string>{u"kamal", u"up", u"dukān", u"pakkā"}));
    EXPECT_EQ(second, (std::vector<std::u16string>{u"nayan", u"kār", u"dār", u""}));
    EXPECT_TRUE(converted.words[0].split);
    EXPECT_TRUE(converted.words[1].prefix);
    EXPECT_TRUE(converted.words[2].suffix);
    EXPECT_FALSE(converted.words[3].prefix || converted.words[3].suffix || converted.words[3].split);
}

}  // namespace
}  // namespace taviro
