#include "taviro/word_builder.h"

#include <optional>
#include <utility>

#include "taviro/gurmukhi.h"
#include "taviro/spoken.h"
#include "taviro/tables.h"

namespace taviro {

bool WordBuilder::add(char16_t unit) {
    if (unit == kBindi) {
        unit = kTippi;
    }
    if (held_ != 0) {
        const char16_t base = std::exchange(held_, 0);
        if (unit == kNukta) {
            give(compose_nukta(base));
            after_nukta_letter_ = true;
            return false;
        }
        give(base);
    }
    // A second nukta on a letter that has one already is a slip of the keyboard:
    // it adds nothing, and left alone it would put a Gurmukhi sign into the Roman text.
    if (unit == kNukta && after_nukta_letter_) {
        return false;
    }
    after_nukta_letter_ = has_nukta(unit);
    if (compose_nukta(unit) != 0) {
        held_ = unit;
    } else {
        give(unit);
    }
    return true;
}

void WordBuilder::end(bool drop_final_a) {
    add_held_letter();
    end_word(state_, drop_final_a);
}

void WordBuilder::reset() noexcept {
    state_.reset();
    read_.clear();
    held_ = 0;
    after_nukta_letter_ = false;
}

void WordBuilder::add_held_letter() {
    if (held_ != 0) {
        give(std::exchange(held_, 0));
    }
}

void WordBuilder::give(char16_t unit) {
    add_character(state_, unit);
    read_.push_back(unit);
}

std::u16string units_as_read(std::u16string_view word) {
    WordBuilder builder;
    for (const char16_t unit : word) builder.add(unit);
    builder.end(true);
    return builder.units_read();
}

FinishedWord finish_built_word(WordBuilder& builder, const Dictionary& dictionary) {
    const std::optional<Pronunciation> entry =
        builder.units_read().empty() ? std::nullopt : dictionary.pronunciation(builder.units_read());
    if (entry) {
        FinishedWord finished;
        finished.text = entry->roman;
        finished.lexicon = entry->lexicon;
        finished.stem_end = finished.text.size();
        return finished;
    }
    FinishedWord finished = finish_word(std::move(builder.word()), dictionary);
    if (dictionary.spoken_forms()) drop_spoken_schwas(finished, builder.units_read());
    return finished;
}

}  // namespace taviro
