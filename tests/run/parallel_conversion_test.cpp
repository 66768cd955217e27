// The parallel conversion must write exactly what the sequential run writes,
// byte for byte: wherever the chunks end, when the text gives no place to end
// one, and when the run fails in any chunk.

#include "taviro/run/parallel_conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "taviro/encoding/utf8_decoder.h"
#include "taviro/convert/run_error.h"
#include "taviro/run/word_store.h"
#include "unit_by_unit_loop.h"

namespace taviro {
namespace {

// Lines `first` to `first + count` of the corpus, with line feeds, and carriage
// return + line feed on every third line.
std::u16string corpus_lines(std::size_t first, std::size_t count) {
    std::ifstream in(TAVIRO_CORPUS);
    std::string text;
    std::string line;
    for (std::size_t i = 0; i < first + count && std::getline(in, line); ++i) {
        if (i >= first) {
            text += line + (i % 3 == 0 ? "\r\n" : "\n");
        }
    }
    return decode_utf8(text).value_or(u"");
}

// Gives its units in reads of any size and fails once `fail_at` units are out.
class FailingSource final : public UnitSource {
public:
    FailingSource(std::u16string units, std::size_t fail_at) : units_(std::move(units)), fail_at_(fail_at) {}
    std::size_t read(std::span<char16_t> units) override {
        if (position_ == fail_at_) {
            throw RunError("cannot read the source");
        }
        const std::size_t count = std::min({units.size(), units_.size() - position_, fail_at_ - position_});
        std::copy_n(units_.begin() + static_cast<std::ptrdiff_t>(position_), count, units.begin());
        position_ += count;
        return count;
    }

private:
    std::u16string units_;
    std::size_t position_ = 0;
    std::size_t fail_at_;
};

struct Outcome {
    std::u16string text;
    std::string failure;  // empty when the conversion completed
    FinishCounts counts;
};

using Conversion = std::function<FinishCounts(UnitSource&, UnitSink&, const Dictionary&)>;

Outcome convert(const Conversion& conversion, const std::u16string& units, const Dictionary& dictionary,
                std::optional<std::size_t> fail_at = std::nullopt) {
    FailingSource source(units, fail_at.value_or(units.size() + 1));
    MemoryUnitSink sink;
    Outcome outcome;
    try {
        outcome.counts = conversion(source, sink, dictionary);
    } catch (const std::exception& error) {
        outcome.failure = error.what();
    }
    outcome.text = sink.take();
    return outcome;
}

Conversion in_parallel(ParallelOptions options) {
    return [options](UnitSource& source, UnitSink& sink, const Dictionary& dictionary) {
        return convert_units_parallel(source, sink, dictionary, options);
    };
}

// The run every other is held to: one thread, convert_units().
const Conversion sequentially = [](UnitSource& source, UnitSink& sink, const Dictionary& dictionary) {
    return convert_units(source, sink, dictionary);
};

void expect_same(const Outcome& parallel, const Outcome& sequential, const std::string& where) {
    EXPECT_TRUE(parallel.text == sequential.text) << where << ": the text differs";
    EXPECT_EQ(parallel.failure, sequential.failure) << where;
    EXPECT_TRUE(parallel.counts == sequential.counts) << where << ": the counts differ";
}

const MemoryDictionary& small_dictionary() {
    static const MemoryDictionary words({u"kamal", u"nayan", u"ka", u"sh\u0101m", u"pakk\u0101"});
    return words;
}

// Words too short to leave the counter at 0: no chunk may end among them.
std::u16string one_letter_words() {
    std::u16string text;
    for (int i = 0; i < 40; ++i) text += u"ਕ ਨ\r\n";
    return text;
}

struct TextCase {
    const char* name;
    std::u16string text;
};

// A chunk read of every size from one unit to the whole text puts the first
// chunk end at every place where one may be, and the later ones at many more.
TEST(ParallelConversion, WritesWhatTheLiteralLoopWritesWithAChunkEndAtEveryPlace) {
    const WordStore words(TAVIRO_WORDS_MDB);
    const WordStore spoken(TAVIRO_WORDS_MDB, WordStoreOptions{.spoken = true});
    const std::vector<TextCase> cases = {
        {"corpus, start", corpus_lines(0, 12)},
        {"corpus, long lines", corpus_lines(900, 4)},
        {"corpus, short lines", corpus_lines(2000, 14)},
        // One-letter words whose final "a" hangs on the counter, line ends of
        // every kind, nukta letters typed in two units, a doubled nukta, addak.
        {"counter and line ends", u"ਕ ਕ ਕ\r\nਕ ਕ\nਕ\rਕ ਸ\u0A3Cਾ ਸ\u0A3C\u0A3C ਪੱਕਾ \r\n\n\rਕਮਲ\r\nਕ  ਨਯਨ\rਸ\u0A3C ਕ."},
        {"spoken forms", u"ਭਾਰਤੀ ਦੂਸਰਾ\r\nਕੈਮਰਾ ਆਮਦਨ ਭਾਰਤੀ. ਟੈਕਸਟ"},
        {"plain letters", u"ਵਿੱਚ ਨੂੰ “ਪੰਜਾਬੀ” ॥ ਪੱਕਾ\r\nਵੱਖ ਕੰਮ"},
        // A symbol in a surrogate pair after a word of signs no table maps.
        {"a pair after unmapped signs", u"ਕ\uF600\uFFF2\U0001F3FB\u4D0A\nਕ "},
    };
    const WordStore plain(TAVIRO_WORDS_MDB, WordStoreOptions{.scheme = Scheme::ascii});
    const std::array<const Dictionary*, 3> dictionaries{&words, &spoken, &plain};
    for (const Dictionary* dictionary : dictionaries) {
        for (const TextCase& text : cases) {
            const Outcome reference = convert(convert_units_unit_by_unit, text.text, *dictionary);
            ASSERT_TRUE(reference.failure.empty()) << text.name;
            for (std::size_t units = 1; units <= text.text.size() + 1; ++units) {
                const ParallelOptions options{.threads = 2, .chunk_units = units, .chunks_in_flight = 2};
                const Outcome parallel = convert(in_parallel(options), text.text, *dictionary);
                expect_same(parallel, reference, std::string(text.name) + ", chunks of " + std::to_string(units));
            }
        }
    }
}

// Where no word end leaves the counter at 0, the text is converted in order on
// one thread until such a place comes, and then in chunks again.
TEST(ParallelConversion, WritesWhatTheLiteralLoopWritesWhereNoChunkMayEnd) {
    const std::u16string one_letter_words = taviro::one_letter_words();
    const std::vector<TextCase> cases = {
        {"one-letter words", one_letter_words},
        {"nukta letters in two units", u"ਸ\u0A3C ਖ\u0A3C ਗ\u0A3C\u0A3C ਜ\u0A3C ਫ\u0A3C ਸ\u0A3C\u0A3C"},
        {"separators alone", u" \r\n\r\r\n\n..,  ।॥ \r\n"},
        {"one long word", std::u16string(300, u'\u0A15') + u"ਾ"},
        {"long words between short ones",
         u"ਕਮਲ ਨਯਨ " + one_letter_words + std::u16string(100, u'\u0A28') + u" ਕਮਲ ਨਯਨ ਪੱਕਾ" + one_letter_words},
    };
    for (const TextCase& text : cases) {
        const Outcome reference = convert(convert_units_unit_by_unit, text.text, small_dictionary());
        ASSERT_TRUE(reference.failure.empty()) << text.name;
        for (const std::size_t units : {1, 3, 4, 7, 16, 64, 65536}) {
            for (const unsigned threads : {2u, 3u}) {
                const ParallelOptions options{.threads = threads, .chunk_units = units, .chunks_in_flight = 3};
                expect_same(convert(in_parallel(options), text.text, small_dictionary()), reference,
                            std::string(text.name) + ", chunks of " + std::to_string(units));
            }
        }
    }
}

struct FailureCase {
    const char* name;
    std::u16string text;
    std::optional<std::size_t> read_fails_at;
};

// The sequential run stops at the first failure and keeps the text before it;
// the parallel one must stop at the same place, with nothing of later chunks.
TEST(ParallelConversion, FailsWhereTheSequentialRunFails) {
    std::u16string words;
    for (int i = 0; i < 30; ++i) words += u"ਕਮਲ ਨਯਨ ਪੱਕਾ\n";
    const std::u16string addak_before_unmapped = u"ਪੱx ";  // "x" has no transliteration
    const std::u16string overflow(kMax16 + 2, u'\u0A15');
    const std::vector<FailureCase> cases = {
        {"addak in the first chunk", addak_before_unmapped + words + words, std::nullopt},
        {"addak in a middle chunk", words + addak_before_unmapped + words, std::nullopt},
        {"addak in the last chunk", words + words + addak_before_unmapped, std::nullopt},
        {"word past the counter in a middle chunk", words + overflow + u" " + words, std::nullopt},
        {"source fails in the first chunk", words + words, 20},
        {"source fails in a middle chunk", words + words, words.size() + 7},
        {"source fails in the last chunk", words + words, 2 * words.size() - 1},
        {"source fails at its end", words + words, 2 * words.size()},
        {"source fails where no chunk may end", words + one_letter_words() + words, words.size() + 133},
        {"addak before the source fails", words + addak_before_unmapped + words, 2 * words.size()},
    };
    for (const FailureCase& failure : cases) {
        const Outcome sequential = convert(sequentially, failure.text, small_dictionary(), failure.read_fails_at);
        ASSERT_FALSE(sequential.failure.empty()) << failure.name;
        for (const std::size_t units : {5, 64, 300, 65536}) {
            const ParallelOptions options{.threads = 2, .chunk_units = units, .chunks_in_flight = 2};
            const Outcome parallel =
                convert(in_parallel(options), failure.text, small_dictionary(), failure.read_fails_at);
            expect_same(parallel, sequential, std::string(failure.name) + ", chunks of " + std::to_string(units));
        }
    }
}

// The pool's threads write the chunks: a sink that fails under one of them
// stops the run with its own failure, and keeps a beginning of the text.
TEST(ParallelConversion, ASinkThatFailsStopsTheRunWithItsFailure) {
    class FullSink final : public UnitSink {
    public:
        explicit FullSink(std::size_t room) : room_(room) {}
        void write(std::u16string_view text) override {
            if (text_.size() + text.size() > room_) throw RunError("cannot write: the disk is full");
            text_.append(text);
        }
        std::u16string text_;

    private:
        std::size_t room_;
    };
    const std::u16string text = corpus_lines(0, 400);
    const std::u16string whole = convert(sequentially, text, small_dictionary()).text;
    for (const std::size_t room : {std::size_t{0}, std::size_t{1000}, whole.size() - 1}) {
        FailingSource source(text, text.size() + 1);
        FullSink sink(room);
        const ParallelOptions options{.threads = 2, .chunk_units = 300};
        EXPECT_THROW(convert_units_parallel(source, sink, small_dictionary(), options), RunError) << room;
        EXPECT_TRUE(whole.starts_with(sink.text_)) << room;
    }
}

TEST(ParallelConversion, OneThreadIsTheSequentialRun) {
    const std::u16string text = corpus_lines(0, 200);
    const Outcome sequential = convert(sequentially, text, small_dictionary());
    for (const unsigned threads : {0u, 1u, 2u, 4u}) {
        expect_same(convert(in_parallel({.threads = threads}), text, small_dictionary()), sequential,
                    std::to_string(threads) + " threads");
    }
}

}  // namespace
}  // namespace taviro
