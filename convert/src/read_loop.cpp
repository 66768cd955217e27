#include "taviro/convert/read_loop.h"

#include <algorithm>
#include <array>
#include <memory>
#include <span>
#include <string_view>
#include <utility>

#include "in_memory_loop.h"
#include "taviro/convert/character_counter.h"
#include "taviro/convert/chunk_loop.h"
#include "taviro/convert/separator.h"
#include "taviro/convert/word_memory.h"
#include "taviro/gurmukhi.h"
#include "taviro/plain_letters.h"
#include "taviro/word_builder.h"

namespace taviro {
namespace {

constexpr std::size_t kBlockUnits = 16384;
// A line end of the text is one line feed; a file's encoding says what it
// becomes there (line_ends.h in the encoding layer).
constexpr std::u16string_view kLineBreak = u"\n";

// What stands for each separator. Every line end becomes one line feed: a
// lone carriage return breaks the line too, and the line feed of a CR LF pair
// adds nothing.
class SeparatorText {
public:
    // `previous` is the separator just before the text, 0 when there is none.
    SeparatorText(Scheme scheme, char16_t previous) : scheme_(scheme), previous_(previous) {}

    // `separator` is one character: a unit, or a surrogate pair, which stands
    // for itself. `directly_after_previous` is false when a word character
    // came in between. The text holds until the next call, and as long as
    // `separator` does.
    std::u16string_view next(std::u16string_view separator, bool directly_after_previous) {
        const bool after_carriage_return = directly_after_previous && previous_ == kCarriageReturn;
        previous_ = separator.back();
        switch (separator.size() == 1 ? separator.front() : 0) {
        case kCarriageReturn:
            return kLineBreak;
        case kLineFeed:
            return after_carriage_return ? std::u16string_view() : kLineBreak;
        case kDanda:
        case kDoubleDanda:
            return danda_text(separator.front(), scheme_);
        default:
            return separator;
        }
    }

private:
    Scheme scheme_;
    char16_t previous_;
};

void count_word(FinishCounts& counts, const ConvertedWord& word) {
    if (word.has_letters) {
        ++counts.words;
        counts.prefixes += word.prefix ? 1 : 0;
        counts.suffixes += word.suffix ? 1 : 0;
        counts.splits += word.split ? 1 : 0;
        counts.lexicon += word.lexicon != Lexicon::none ? 1 : 0;
        counts.unconfirmed += word.prefix || word.suffix || word.split || word.lexicon != Lexicon::none ? 0 : 1;
    }
}

}  // namespace

// The loop a run uses: gathers each word's units and converts the word as a
// whole through the word memory. Its output is the literal unit-by-unit loop's,
// which the tests keep as their reference. It goes to the sink in blocks, and
// always before a failure leaves the loop, so that the sink still holds
// everything before the failure.
class WordByWordLoop {
public:
    WordByWordLoop(UnitSink& sink, WordMemory& memory, WordObserver* observer, char16_t after_separator = 0)
        : sink_(&sink),
          memory_(memory),
          separators_(memory.dictionary().scheme(), after_separator),
          observer_(observer) {
        gathered_.reserve(256);
        text_.reserve(2 * kBlockUnits);
    }

    // Begins a new stretch of input, as a loop made afresh would, keeping the
    // buffers: a thread that converts chunk after chunk allocates them once.
    void restart(UnitSink& sink, char16_t after_separator) {
        sink_ = &sink;
        separators_ = SeparatorText(memory_.dictionary().scheme(), after_separator);
        held_ = 0;
        consumed_ = 0;
        gathered_.clear();
        hash_ = {};
        text_.clear();
        counter_ = {};
        counts_ = {};
    }

    void take(std::span<const char16_t> units) {
        try {
            take_decided(units);
        } catch (...) {
            write_out();
            throw;
        }
        write_out();
    }

    void end_of_input() {
        try {
            if (held_ != 0) {
                // The first half of a pair that never came: a word character.
                const char16_t held = std::exchange(held_, 0);
                take_words(std::span<const char16_t>(&held, 1));
            }
            // The end of the text ends its last word as a separator would, with
            // nothing written for it: a text's last word is written as any
            // other, whether a line end follows it or not.
            if (!reads_as_nothing(gathered_)) {
                counter_.add(memory_.find(gathered_, hash_.value()) + 1);
                const bool drop_final_a = counter_.settle_at_separator();
                write_word(drop_final_a, consumed_ - gathered_.size(), consumed_);
            }
        } catch (...) {
            write_out();
            throw;
        }
        write_out();
    }

    const FinishCounts& counts() const noexcept { return counts_; }

private:
    // Whether the first half of a pair at the end of a block is a separator
    // is known only with the next unit, so it waits for it: every stretch
    // given to take_words() is one whose last unit is decided.
    void take_decided(std::span<const char16_t> units) {
        while (held_ != 0 && !units.empty()) {
            const std::array<char16_t, 2> joined{std::exchange(held_, 0), units.front()};
            units = units.subspan(1);
            take_holding_back(joined);
        }
        take_holding_back(units);
    }

    void take_holding_back(std::span<const char16_t> units) {
        if (!units.empty() && is_high_surrogate(units.back())) {
            held_ = units.back();
            units = units.first(units.size() - 1);
        }
        take_words(units);
    }

    // A word that lies whole inside the block is converted where it lies; only
    // a word cut by the block's end is gathered. Each word is hashed for the
    // word memory as it is scanned.
    void take_words(std::span<const char16_t> units) {
        const char16_t* const end = units.data() + units.size();
        const char16_t* start = units.data();
        while (start != end) {
            const char16_t* separator = start;
            std::size_t separator_units = 0;
            TextHashState hash = hash_;  // a local, so that it stays in a register
            for (; separator != end; hash.add(*separator++)) {
                if (may_end_word(*separator) && (separator_units = separator_length(separator, end)) != 0) break;
            }
            hash_ = hash;
            if (separator == end) {
                gathered_.append(start, static_cast<std::size_t>(end - start));
                break;
            }
            const std::size_t word_end = consumed_ + static_cast<std::size_t>(separator - units.data());
            const std::u16string_view separator_text(separator, separator_units);
            if (gathered_.empty()) {
                const auto length = static_cast<std::size_t>(separator - start);
                end_word_at(std::u16string_view(start, length), word_end, separator_text);
            } else {
                gathered_.append(start, static_cast<std::size_t>(separator - start));
                end_word_at(gathered_, word_end, separator_text);
                gathered_.clear();
            }
            hash_ = {};
            start = separator + separator_units;
            if (text_.size() >= kBlockUnits) {
                write_out();
            }
        }
        consumed_ += units.size();
    }

    // `word_end` is where the separator lies in the whole input.
    // A separator counts each of its units, as the unit-by-unit reading does.
    void end_word_at(std::u16string_view units, std::size_t word_end, std::u16string_view separator) {
        const auto separator_units = static_cast<std::int32_t>(separator.size());
        // Nothing to finish: an empty word, or signs that read as nothing, stays empty.
        const bool nothing = reads_as_nothing(units);
        if (nothing) {
            counter_.add(separator_units);
            counter_.settle_at_separator();
        } else {
            counter_.add(memory_.find(units, hash_.value()) + separator_units);
            const bool drop_final_a = counter_.settle_at_separator();
            write_word(drop_final_a, word_end - units.size(), word_end);
        }
        text_.append(separators_.next(separator, nothing));
    }

    // Writes the current word. An observer is told of it as the memory keeps
    // it, or, where its report names pieces in a text the memory does not keep
    // (plain letters, spoken forms), as it is finished afresh.
    void write_word(bool final_a_dropped, std::size_t word_begin, std::size_t word_end) {
        if (observer_ == nullptr) {
            write(memory_.converted(final_a_dropped));
            return;
        }
        const WordWriting writing = memory_.dictionary().writing();
        if (writing.spoken_forms || writing.scheme != Scheme::marks) {
            bool has_letters = false;
            const FinishedWord& word = memory_.finished_in_full(final_a_dropped, has_letters);
            tell(converted_word(word, has_letters), word, word_begin, word_end);
        } else {
            const ConvertedWord word = memory_.converted(final_a_dropped);
            tell(word, finished_word(word), word_begin, word_end);
        }
    }

    void write(const ConvertedWord& word) {
        count_word(counts_, word);
        text_.append(word.text);
    }

    // Writes the word, telling the observer of it first.
    void tell(const ConvertedWord& word, const FinishedWord& reported, std::size_t word_begin, std::size_t word_end) {
        if (word.has_letters) {
            // The observer learns where the word's text goes from the sink.
            write_out();
            observer_->word_finished(word_begin, word_end, reported);
        }
        write(word);
    }

    void write_out() {
        if (text_.empty()) {
            return;
        }
        // Emptied even when the sink fails, so that it is never given the text twice.
        struct Empty {
            std::u16string& text;
            ~Empty() { text.clear(); }
        } empty{text_};
        sink_->write(text_);
    }

    UnitSink* sink_;
    WordMemory& memory_;
    SeparatorText separators_;
    WordObserver* observer_;
    char16_t held_ = 0;         // the first half of a pair at the end of the last block
    std::size_t consumed_ = 0;  // units of the input taken before the current block
    std::u16string gathered_;   // the start of a word cut by the end of a block
    TextHashState hash_;        // of the word being scanned, gathered units included
    std::u16string text_;       // the Roman text not yet given to the sink
    CharacterCounter counter_;
    FinishCounts counts_;
};

// Every conversion steps the one loop: block by block from a source, the whole
// text at once when it is in memory, chunk by chunk in the parallel run.
FinishCounts convert_units(UnitSource& source, UnitSink& sink, const Dictionary& dictionary, WordObserver* observer) {
    WordMemory memory(dictionary);
    ChunkLoop loop(sink, memory, 0, observer);
    std::array<char16_t, kBlockUnits> block;
    while (const std::size_t count = source.read(block)) {
        loop.take(std::span<const char16_t>(block.data(), count));
    }
    loop.end_of_input();
    return loop.counts();
}

FinishCounts convert_units_in_memory(std::u16string_view text, UnitSink& sink, const Dictionary& dictionary,
                                     WordObserver* observer) {
    WordMemory memory(dictionary);
    return convert_units_in_memory(text, sink, memory, observer);
}

FinishCounts convert_units_in_memory(std::u16string_view text, UnitSink& sink, WordMemory& memory,
                                     WordObserver* observer) {
    ChunkLoop loop(sink, memory, 0, observer);
    loop.take(std::span<const char16_t>(text.data(), text.size()));
    loop.end_of_input();
    return loop.counts();
}

ChunkLoop::ChunkLoop(UnitSink& sink, WordMemory& memory, char16_t after_separator, WordObserver* observer)
    : loop_(std::make_unique<WordByWordLoop>(sink, memory, observer, after_separator)) {}

ChunkLoop::~ChunkLoop() = default;

void ChunkLoop::restart(UnitSink& sink, char16_t after_separator) {
    loop_->restart(sink, after_separator);
}

void ChunkLoop::take(std::span<const char16_t> units) {
    loop_->take(units);
}

void ChunkLoop::end_of_input() {
    loop_->end_of_input();
}

const FinishCounts& ChunkLoop::counts() const noexcept {
    return loop_->counts();
}

}  // namespace taviro
