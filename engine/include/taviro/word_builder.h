// Builds the Roman text of one word from its Gurmukhi code units, as the read
// loop meets them: bindi is taken as tippi, and a base letter directly followed
// by the nukta is taken as its one precomposed letter, so "ਸ" + "਼" romanizes
// exactly like "ਸ਼"; a repeated nukta on such a letter adds nothing. Everything else is the engine's character rules.
//
// It does not split text into words, count characters or finish words; the read
// loop and the dictionary builder do that around it. It does no I/O.
#pragma once

#include <string>

#include "taviro/character.h"
#include "taviro/dictionary.h"
#include "taviro/finish.h"

namespace taviro {

class WordBuilder {
public:
    // Adds one word character. Returns false when `unit` was a nukta that joined
    // the letter before it: the two count as one character. Throws EngineError.
    bool add(char16_t unit);

    // Settles the last character with the word end (see end_word()).
    void end(bool drop_final_a);

    // The word so far; complete after one of the two word ends.
    std::u16string& word() noexcept { return state_.word; }
    // The Gurmukhi units the character rules were given, bindi as tippi and
    // nukta composed; complete after a word end. A lexicon is keyed by them.
    const std::u16string& units_read() const noexcept { return read_; }

    // Starts the next word with nothing carried over.
    void reset() noexcept;

private:
    void add_held_letter();
    void give(char16_t unit);

    CharacterState state_;
    std::u16string read_;
    char16_t held_ = 0;  // a base letter that a nukta may still join; 0 when none
    bool after_nukta_letter_ = false;  // the latest character already carries a nukta
};

// The units of `word` as the read loop gives them to the character rules, so
// that ਸ + ◌਼ and ਸ਼, bindi and tippi, are one entry of a lexicon.
// Throws EngineError when the rules refuse the word.
std::u16string units_as_read(std::u16string_view word);

// Finishes the word `builder` has ended: a word a lexicon of the dictionary
// has an entry for becomes the entry's text, whole; any other goes to
// finish_word(), and then, when the dictionary asks for spoken forms, to
// drop_spoken_schwas(). Both read loops finish their words here, so they agree.
FinishedWord finish_built_word(WordBuilder& builder, const Dictionary& dictionary);

}  // namespace taviro
