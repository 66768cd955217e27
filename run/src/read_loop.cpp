#include "taviro/run/read_loop.h"

#include <array>
#include <string_view>

#include "taviro/run/separator.h"
#include "taviro/run/word_builder.h"
#include "word_finisher.h"

namespace taviro {
namespace {

constexpr std::size_t kBlockUnits = 16384;
constexpr std::u16string_view kLineBreak = u"\r\n";
constexpr std::u16string_view kDandaText = u".";

class ReadLoop {
public:
    ReadLoop(UnitSink& sink, const Dictionary& dictionary) : sink_(sink), finisher_(dictionary) {}

    void take(char16_t unit);
    void end_of_input();
    const FinishCounts& counts() const noexcept { return counts_; }

private:
    void count_unit();
    void end_word_at(char16_t separator);
    void write_finished_word();
    void write_separator_text(char16_t separator);

    UnitSink& sink_;
    WordFinisher finisher_;
    WordBuilder builder_;
    std::int16_t counter_ = 0;
    bool after_carriage_return_ = false;
    FinishCounts counts_;
};

void ReadLoop::take(char16_t unit) {
    if (is_separator(unit)) {
        count_unit();
        end_word_at(unit);
    } else if (builder_.add(unit)) {
        count_unit();
    }
    after_carriage_return_ = unit == kCarriageReturn;
}

void ReadLoop::end_of_input() {
    builder_.end_at_end_of_input();
    write_finished_word();
}

// The counter is 16-bit; it passes its limit only after 32,765 or more word
// characters in a row.
void ReadLoop::count_unit() {
    if (counter_ == kMax16) {
        throw EngineError(EngineError::Kind::overflow,
                          "more than 32767 characters in a row without a word end");
    }
    ++counter_;
}

void ReadLoop::end_word_at(char16_t separator) {
    builder_.end_at_separator(counter_);
    write_finished_word();
    write_separator_text(separator);
    builder_.reset();
}

void ReadLoop::write_finished_word() {
    const std::u16string& word = builder_.word();
    const FinishedWord& finished = finisher_.finish(word);
    if (!word.empty()) {
        ++counts_.words;
        counts_.prefixes += finished.prefix ? 1 : 0;
        counts_.suffixes += finished.suffix ? 1 : 0;
        counts_.splits += finished.split ? 1 : 0;
    }
    if (!finished.text.empty()) {
        sink_.write(finished.text);
    }
}

// Every line end becomes carriage return + line feed: a lone carriage return
// breaks the line too, and the line feed of a CR LF pair adds nothing.
void ReadLoop::write_separator_text(char16_t separator) {
    switch (separator) {
    case kCarriageReturn:
        sink_.write(kLineBreak);
        break;
    case kLineFeed:
        if (!after_carriage_return_) {
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

}  // namespace

FinishCounts convert_units(UnitSource& source, UnitSink& sink, const Dictionary& dictionary) {
    ReadLoop loop(sink, dictionary);
    std::array<char16_t, kBlockUnits> block;
    while (const std::size_t count = source.read(block)) {
        for (std::size_t i = 0; i < count; ++i) {
            loop.take(block[i]);
        }
    }
    loop.end_of_input();
    return loop.counts();
}

}  // namespace taviro
