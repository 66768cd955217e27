#include "unit_by_unit_loop.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "taviro/character_classes.h"
#include "taviro/convert/character_counter.h"
#include "taviro/convert/separator.h"
#include "taviro/gurmukhi.h"
#include "taviro/word_builder.h"

namespace taviro {
namespace {

// Kept apart from the fast loop's separator handling, so that a fault there
// shows as a difference here instead of being shared.
class UnitByUnitLoop {
public:
    UnitByUnitLoop(UnitSink& sink, const Dictionary& dictionary) : sink_(sink), dictionary_(dictionary) {}

    // The first half of a surrogate pair waits for the second, to learn
    // whether the two are one separator.
    void take(char16_t unit) {
        if (high_) {
            const char16_t high = std::exchange(high_, 0);
            if (is_separator_pair(high, unit)) {
                end_word({high, unit});
                return;
            }
            take_decided(high);
        }
        if (is_high_surrogate(unit)) {
            high_ = unit;
        } else {
            take_decided(unit);
        }
    }

    void end_of_input() {
        if (high_) take_decided(std::exchange(high_, 0));
        settle_format_run(0);
        // As if one more separator followed, with nothing written for it.
        counter_.add(1);
        builder_.end(counter_.settle_at_separator());
        write_finished_word();
    }

    const FinishCounts& counts() const noexcept { return counts_; }

private:
    void take_decided(char16_t unit) {
        if (is_separator(unit)) {
            end_word(std::u16string(1, unit));
        } else if (is_format_character(unit)) {
            format_run_.push_back(unit);
        } else {
            settle_format_run(unit);
            add(unit);
            before_format_run_ = unit;
        }
    }

    // A run of format characters is read as absent when a Gurmukhi unit of its
    // word comes directly before or after it; `after` is 0 at the word's end.
    void settle_format_run(char16_t after) {
        if (!in_gurmukhi_block(before_format_run_) && !in_gurmukhi_block(after)) {
            for (const char16_t unit : format_run_) add(unit);
        }
        format_run_.clear();
    }

    void add(char16_t unit) {
        if (builder_.add(unit)) {
            counter_.add(1);
        }
        had_word_character_ = had_word_character_ || !reads_as_nothing(unit);
    }

    void end_word(const std::u16string& separator) {
        settle_format_run(0);
        counter_.add(static_cast<std::int32_t>(separator.size()));
        builder_.end(counter_.settle_at_separator());
        write_finished_word();
        write_separator(separator);
        builder_.reset();
        had_word_character_ = false;
        before_format_run_ = 0;
    }

    void write_finished_word() {
        const bool has_letters = builder_.has_letters();
        const FinishedWord finished = finish_built_word(builder_, dictionary_);
        if (has_letters) {
            const bool confirmed = finished.prefix || finished.suffix || finished.split;
            ++counts_.words;
            counts_.prefixes += finished.prefix ? 1 : 0;
            counts_.suffixes += finished.suffix ? 1 : 0;
            counts_.splits += finished.split ? 1 : 0;
            counts_.lexicon += finished.lexicon != Lexicon::none ? 1 : 0;
            counts_.unconfirmed += confirmed || finished.lexicon != Lexicon::none ? 0 : 1;
        }
        write(finished.text);
    }

    // Every line end becomes carriage return + line feed, except the line feed
    // of a pair, which comes directly after its carriage return; a danda is a
    // full stop; in plain letters a double danda is two; every other separator
    // stands for itself.
    void write_separator(const std::u16string& separator) {
        if (separator.size() == 2) {
            previous_separator_ = separator.back();
            write(separator);
            return;
        }
        const char16_t unit = separator.front();
        const bool after_carriage_return = previous_separator_ == kCarriageReturn && !had_word_character_;
        previous_separator_ = unit;
        if (unit == kCarriageReturn || (unit == kLineFeed && !after_carriage_return)) {
            write(u"\n");
        } else if (unit == kDanda || unit == kDoubleDanda) {
            write(danda_text(unit, dictionary_.scheme()));
        } else if (unit != kLineFeed) {
            write(std::u16string_view(&unit, 1));
        }
    }

    void write(std::u16string_view text) {
        if (!text.empty()) {
            sink_.write(text);
        }
    }

    UnitSink& sink_;
    const Dictionary& dictionary_;
    WordBuilder builder_;
    CharacterCounter counter_;
    char16_t previous_separator_ = 0;
    char16_t high_ = 0;               // a first half of a pair, waiting
    std::u16string format_run_;       // format characters, waiting for what follows them
    char16_t before_format_run_ = 0;  // the word's unit before them, 0 at its start
    bool had_word_character_ = false;
    FinishCounts counts_;
};

}  // namespace

FinishCounts convert_units_unit_by_unit(UnitSource& source, UnitSink& sink, const Dictionary& dictionary) {
    UnitByUnitLoop loop(sink, dictionary);
    std::array<char16_t, 1> unit;
    while (source.read(unit) != 0) {
        loop.take(unit[0]);
    }
    loop.end_of_input();
    return loop.counts();
}

}  // namespace taviro
