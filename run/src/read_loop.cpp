#include "taviro/run/read_loop.h"

#include <algorithm>
#include <array>
#include <memory>
#include <span>
#include <string_view>

#include "chunk_loop.h"
#include "taviro/run/separator.h"
#include "taviro/word_builder.h"
#include "word_memory.h"

namespace taviro {
namespace {

constexpr std::size_t kBlockUnits = 16384;
constexpr std::u16string_view kLineBreak = u"\r\n";
constexpr std::u16string_view kDandaText = u".";

// The run's character counter: every code unit read counts, a nukta that joins
// the letter before it excepted. It is 16-bit; it passes its limit only after
// 32,765 or more word characters in a row.
class CharacterCounter {
public:
    void add(std::int32_t units) {
        if (value_ + units > kMax16) {
            throw EngineError(EngineError::Kind::overflow, "more than 32767 characters in a row without a word end");
        }
        value_ = static_cast<std::int16_t>(value_ + units);
    }
    // The word end at a separator drops a final inherent "a" and starts the
    // counter afresh only once more than two characters have been counted.
    bool settle_at_separator() noexcept {
        if (value_ <= 2) {
            return false;
        }
        value_ = 0;
        return true;
    }

private:
    std::int16_t value_ = 0;
};

// Writes what stands for each separator. Every line end becomes carriage return
// + line feed: a lone carriage return breaks the line too, and the line feed of
// a CR LF pair adds nothing.
class SeparatorWriter {
public:
    // `previous` is the separator just before the text, 0 when there is none.
    explicit SeparatorWriter(UnitSink& sink, char16_t previous = 0) : sink_(sink), previous_(previous) {}

    // `directly_after_previous` is false when a word character came in between.
    void write(char16_t separator, bool directly_after_previous) {
        const bool after_carriage_return = directly_after_previous && previous_ == kCarriageReturn;
        previous_ = separator;
        switch (separator) {
        case kCarriageReturn:
            sink_.write(kLineBreak);
            break;
        case kLineFeed:
            if (!after_carriage_return) {
                sink_.write(kLineBreak);
            }
            break;
        case kDanda:
            sink_.write(kDandaText);
            break;
        default:
            sink_.write(std::u16string_view(&separator, 1));
            break;
        }
    }

private:
    UnitSink& sink_;
    char16_t previous_;
};

void count_word(FinishCounts& counts, bool has_letters, const FinishedWord& word) {
    if (has_letters) {
        ++counts.words;
        counts.prefixes += word.prefix ? 1 : 0;
        counts.suffixes += word.suffix ? 1 : 0;
        counts.splits += word.split ? 1 : 0;
        counts.lexicon += word.lexicon != Lexicon::none ? 1 : 0;
        counts.unconfirmed += word.prefix || word.suffix || word.split || word.lexicon != Lexicon::none ? 0 : 1;
    }
}

// The reference loop: one code unit at a time, every word romanized and
// finished afresh, nothing remembered.
class UnitByUnitLoop {
public:
    UnitByUnitLoop(UnitSink& sink, const Dictionary& dictionary)
        : sink_(sink), dictionary_(dictionary), separators_(sink) {}

    void take(char16_t unit) {
        if (is_separator(unit)) {
            counter_.add(1);
            builder_.end(counter_.settle_at_separator());
            write_finished_word();
            separators_.write(unit, !had_word_character_);
            builder_.reset();
            had_word_character_ = false;
        } else {
            if (builder_.add(unit)) {
                counter_.add(1);
            }
            had_word_character_ = true;
        }
    }

    void end_of_input() {
        builder_.end(true);
        write_finished_word();
    }

    const FinishCounts& counts() const noexcept { return counts_; }

private:
    void write_finished_word() {
        const bool has_letters = !builder_.word().empty();
        const FinishedWord finished = finish_built_word(builder_, dictionary_);
        count_word(counts_, has_letters, finished);
        if (!finished.text.empty()) {
            sink_.write(finished.text);
        }
    }

    UnitSink& sink_;
    const Dictionary& dictionary_;
    SeparatorWriter separators_;
    WordBuilder builder_;
    CharacterCounter counter_;
    bool had_word_character_ = false;
    FinishCounts counts_;
};

}  // namespace

// The loop a run uses: gathers each word's units and converts the word as a
// whole through the word memory. Its output is the unit-by-unit loop's.
class WordByWordLoop {
public:
    WordByWordLoop(UnitSink& sink, WordMemory& memory, WordObserver* observer, char16_t after_separator = 0)
        : sink_(sink), memory_(memory), separators_(sink, after_separator), observer_(observer) {
        gathered_.reserve(256);
    }

    // A word that lies whole inside the block is converted where it lies; only
    // a word cut by the block's end is gathered.
    void take(std::span<const char16_t> units) {
        const char16_t* const end = units.data() + units.size();
        const char16_t* start = units.data();
        while (start != end) {
            const char16_t* const separator = std::find_if(start, end, is_separator);
            if (separator == end) {
                gathered_.append(start, end);
                break;
            }
            const std::size_t word_end = consumed_ + static_cast<std::size_t>(separator - units.data());
            if (gathered_.empty()) {
                const auto length = static_cast<std::size_t>(separator - start);
                end_word_at(std::u16string_view(start, length), word_end, *separator);
            } else {
                gathered_.append(start, separator);
                end_word_at(gathered_, word_end, *separator);
                gathered_.clear();
            }
            start = separator + 1;
        }
        consumed_ += units.size();
    }

    void end_of_input() {
        RememberedWord& word = memory_.find(gathered_);
        counter_.add(word.counted);
        write(memory_.converted(gathered_, word, true), consumed_ - gathered_.size(), consumed_);
    }

    const FinishCounts& counts() const noexcept { return counts_; }

private:
    // `word_end` is where the separator lies in the whole input.
    void end_word_at(std::u16string_view units, std::size_t word_end, char16_t separator) {
        if (units.empty()) {
            // Nothing to finish: an empty word stays empty.
            counter_.add(1);
            counter_.settle_at_separator();
        } else {
            RememberedWord& word = memory_.find(units);
            counter_.add(word.counted + 1);
            write(memory_.converted(units, word, counter_.settle_at_separator()), word_end - units.size(), word_end);
        }
        separators_.write(separator, units.empty());
    }

    void write(const ConvertedWord& word, std::size_t word_begin, std::size_t word_end) {
        count_word(counts_, word.has_letters, word.finished);
        if (observer_ != nullptr && word.has_letters) {
            observer_->word_finished(word_begin, word_end, word.finished);
        }
        if (!word.finished.text.empty()) {
            sink_.write(word.finished.text);
        }
    }

    UnitSink& sink_;
    WordMemory& memory_;
    SeparatorWriter separators_;
    WordObserver* observer_;
    std::size_t consumed_ = 0;  // units of the input taken before the current block
    std::u16string gathered_;   // the start of a word cut by the end of a block
    CharacterCounter counter_;
    FinishCounts counts_;
};

namespace {

FinishCounts convert_blocks(UnitSource& source, UnitSink& sink, const Dictionary& dictionary, WordObserver* observer) {
    WordMemory memory(dictionary);
    WordByWordLoop loop(sink, memory, observer);
    std::array<char16_t, kBlockUnits> block;
    while (const std::size_t count = source.read(block)) {
        loop.take(std::span<const char16_t>(block.data(), count));
    }
    loop.end_of_input();
    return loop.counts();
}

}  // namespace

FinishCounts convert_units(UnitSource& source, UnitSink& sink, const Dictionary& dictionary) {
    return convert_blocks(source, sink, dictionary, nullptr);
}

FinishCounts convert_units(UnitSource& source, UnitSink& sink, const Dictionary& dictionary, WordObserver& observer) {
    return convert_blocks(source, sink, dictionary, &observer);
}

FinishCounts convert_units_in_memory(std::u16string_view text, UnitSink& sink, const Dictionary& dictionary,
                                     WordObserver* observer) {
    WordMemory memory(dictionary);
    WordByWordLoop loop(sink, memory, observer);
    loop.take(std::span<const char16_t>(text.data(), text.size()));
    loop.end_of_input();
    return loop.counts();
}

FinishCounts convert_units_unit_by_unit(UnitSource& source, UnitSink& sink, const Dictionary& dictionary) {
    UnitByUnitLoop loop(sink, dictionary);
    std::array<char16_t, 1> unit;
    while (source.read(unit) != 0) {
        loop.take(unit[0]);
    }
    loop.end_of_input();
    return loop.counts();
}

ChunkLoop::ChunkLoop(UnitSink& sink, WordMemory& memory, char16_t after_separator)
    : loop_(std::make_unique<WordByWordLoop>(sink, memory, nullptr, after_separator)) {}

ChunkLoop::~ChunkLoop() = default;

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
