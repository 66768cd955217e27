// Builds the Roman text of one word from its Gurmukhi code units, as the read
// loop meets them, reading real text's spellings as the letters they stand
// for: bindi and adak bindi are taken as tippi; a base letter directly
// followed by the nukta is taken as its one letter, so "ਸ" + "਼" romanizes
// exactly like "ਸ਼" (and "ਡ" + "਼" like "ੜ"); iri and ura with a vowel sign
// after them are that vowel's letter ("ੲ" + "ੀ" is "ਈ"), and alone the short
// vowel they carry. Udaat, yakash and a nukta that no letter takes are read
// as if not there. Everything else is the engine's character rules.
//
// It does not split text into words, count characters or finish words; the read
// loop and the dictionary builder do that around it. It does no I/O.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "taviro/character.h"
#include "taviro/dictionary.h"
#include "taviro/finish.h"

namespace taviro {

class WordBuilder {
public:
    // Adds one word character. Returns false when `unit` joined the letter
    // before it (the two count as one character) or reads as nothing (it
    // counts for nothing). Throws EngineError.
    bool add(char16_t unit);
    // Adds a whole word's units, as many add() calls, except that a run of
    // format characters (a zero-width space or joiner, a soft hyphen, a
    // direction mark) with a Gurmukhi unit directly before or after it is read
    // as if it were not in the text. Returns how many characters the run's
    // counter takes for them.
    std::int32_t add_word(std::u16string_view units);
    // Whether the word holds Gurmukhi that romanized to something: a word
    // with none is no word of the text's to finish, and stands as written.
    bool has_letters() const noexcept;

    // Settles the last character with the word end (see end_word()).
    void end(bool drop_final_a);

    // The word so far; complete after one of the two word ends.
    std::u16string& word() noexcept { return state_.word; }
    // The Gurmukhi units the character rules were given, bindi as tippi and
    // nukta composed; complete after a word end. A lexicon is keyed by them.
    const std::u16string& units_read() const noexcept { return read_; }

    // How many of the word's signs only a slip of the keyboard puts there: a
    // nukta no letter takes, an addak with nothing to double or after another,
    // iri or ura without a vowel sign. Text reads past them; a dictionary
    // takes no word that holds one.
    int slips() const noexcept { return slips_; }

    // Starts the next word with nothing carried over.
    void reset() noexcept;

private:
    void add_held_letter();
    char16_t join_held(char16_t unit) const;
    void give(char16_t unit);

    CharacterState state_;
    std::u16string read_;
    // A letter that the next sign may still join (a base letter and the nukta,
    // iri or ura and a vowel sign); 0 when none.
    char16_t held_ = 0;
    int slips_ = 0;
};

// The units of `word` as the read loop gives them to the character rules, so
// that ਸ + ◌਼ and ਸ਼, ੲ + ◌ੀ and ਈ, bindi and tippi, are one entry of a lexicon.
// Throws EngineError when the rules refuse the word.
std::u16string units_as_read(std::u16string_view word);

// Whether a word of these units is nothing at all: signs that read as
// nothing, and format characters beside them that are read as absent.
bool reads_as_nothing(std::u16string_view word) noexcept;

// Finishes the word `builder` has ended: a word with no Gurmukhi in it
// (English, a number's letters, an emoji's joiner) is written exactly as it
// stands, with no question to the dictionary; a word a lexicon of the dictionary
// has an entry for becomes the entry's text, whole; any other goes to
// finish_word(), and then, when the dictionary asks for spoken forms, to
// drop_spoken_schwas(). Both read loops finish their words here, so they agree.
FinishedWord finish_built_word(WordBuilder& builder, const Dictionary& dictionary);
// The same, written as `writing` says rather than as the dictionary's own
// writing does: a word's report asks for its marked text, and for its pieces
// before spoken forms changed them.
FinishedWord finish_built_word(WordBuilder& builder, const Dictionary& dictionary, WordWriting writing);

}  // namespace taviro
