#include "taviro/word_builder.h"

#include <utility>

namespace taviro {

bool WordBuilder::add(char16_t unit) {
    if (unit == kBindi) {
        unit = kTippi;
    }
    if (held_ != 0) {
        const char16_t base = std::exchange(held_, 0);
        if (unit == kNukta) {
            add_character(state_, compose_nukta(base));
            after_nukta_letter_ = true;
            return false;
        }
        add_character(state_, base);
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
        add_character(state_, unit);
    }
    return true;
}

void WordBuilder::end(bool drop_final_a) {
    add_held_letter();
    end_word(state_, drop_final_a);
}

void WordBuilder::reset() noexcept {
    state_.reset();
    held_ = 0;
    after_nukta_letter_ = false;
}

void WordBuilder::add_held_letter() {
    if (held_ != 0) {
        add_character(state_, std::exchange(held_, 0));
    }
}

}  // namespace taviro
