// Character transliteration: one Gurmukhi character at a time. The Roman text
// of the latest character waits in `pending` until the next character or the
// word end settles it, since the next character can still change it.
//
// It does not read bindi as tippi or join a nukta to its letter (WordBuilder
// does), and it keeps no state of its own: the caller owns the CharacterState.
#pragma once

#include <string>

#include "taviro/engine_error.h"

namespace taviro {

struct CharacterState {
    char16_t previous = 0;   // code point of the latest character that set it
    std::u16string pending;  // Roman text of the latest character, not yet in `word`
    std::u16string word;     // Roman text of the word so far

    void reset() {
        previous = 0;
        pending.clear();
        word.clear();
    }
};

// Adds one word character (bindi already turned into tippi by the caller).
// Throws EngineError(addak_before_unmapped) when the pending piece is the doubling
// marker and `code_point` has no map row.
void add_character(CharacterState& state, char16_t code_point);

// Ends the word: the pending piece is appended to the word, without its final
// inherent "a" when `drop_final_a`. The end of the input always drops it; a
// separator only once the run's character counter has passed 2, which the
// read loop, the counter's one owner, decides.
void end_word(CharacterState& state, bool drop_final_a);

}  // namespace taviro
