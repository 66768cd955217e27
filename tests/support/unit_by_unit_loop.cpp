#include "unit_by_unit_loop.h"

#include <array>
#include <string_view>

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

    void take(char16_t unit) {
        if (is_separator(unit)) {
            counter_.add(1);
            builder_.end(counter_.settle_at_separator());
            write_finished_word();
            write_separator(unit);
            builder_.reset();
            had_word_character_ = false;
        } else {
            if (builder_.add(unit)) {
                counter_.add(1);
            }
            had_word_character_ = had_word_character_ || !reads_as_nothing(unit);
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
    void write_separator(char16_t unit) {
        const bool after_carriage_return = previous_separator_ == kCarriageReturn && !had_word_character_;
        previous_separator_ = unit;
        if (unit == kCarriageReturn || (unit == kLineFeed && !after_carriage_return)) {
            write(u"\r\n");
        } else if (unit == kDanda) {
            write(u".");
        } else if (unit == kDoubleDanda && dictionary_.scheme() == Scheme::ascii) {
            write(u"..");
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
