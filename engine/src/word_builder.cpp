#include "taviro/word_builder.h"

#include <optional>
#include <utility>

#include "taviro/gurmukhi.h"
#include "taviro/spoken.h"
#include "taviro/tables.h"

namespace taviro {

bool WordBuilder::add(char16_t unit) {
    if (unit == kUdaat || unit == kYakash) {
        return false;
    }
    if (unit == kBindi || unit == kAdakBindi) {
        unit = kTippi;
    }
    if (held_ != 0) {
        if (const char16_t joined = join_held(unit)) {
            held_ = 0;
            give(joined);
            return false;
        }
        if (unit == kNukta) {
            ++slips_;
            return false;  // taken by no letter: iri and ura stay held
        }
        add_held_letter();
    }
    // A nukta that no letter takes (after ਕ, a vowel sign, another nukta) is a
    // slip of the keyboard: left alone it would put a Gurmukhi sign into the
    // Roman text. So is an addak after an addak.
    if (unit == kNukta || (unit == kAddak && !read_.empty() && read_.back() == kAddak)) {
        ++slips_;
        return unit == kAddak;
    }
    if (compose_nukta(unit) != 0 || carried_vowel(unit, 0) != 0) {
        held_ = unit;
    } else {
        give(unit);
    }
    return true;
}

// The one letter that the held letter and `unit` make, or 0.
char16_t WordBuilder::join_held(char16_t unit) const {
    return unit == kNukta ? compose_nukta(held_) : carried_vowel(held_, unit);
}

void WordBuilder::end(bool drop_final_a) {
    add_held_letter();
    if (!read_.empty() && read_.back() == kAddak) ++slips_;  // nothing after it to double
    end_word(state_, drop_final_a);
}

void WordBuilder::reset() noexcept {
    state_.reset();
    read_.clear();
    held_ = 0;
    slips_ = 0;
}

// Iri and ura alone are the short vowels they carry.
void WordBuilder::add_held_letter() {
    if (held_ != 0) {
        const char16_t letter = std::exchange(held_, 0);
        const char16_t vowel = carried_vowel(letter, 0);
        if (vowel != 0) ++slips_;  // a carrier without the vowel sign it carries
        give(vowel != 0 ? vowel : letter);
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

namespace {

// In plain letters the word is all stem: its pieces lie in the marked text,
// which a word's report finishes again for them.
FinishedWord written_in_scheme(FinishedWord finished, std::u16string_view units, const Dictionary& dictionary) {
    if (dictionary.scheme() == Scheme::ascii) {
        const bool as_written = finished.lexicon != Lexicon::none || !holds_gurmukhi(units);
        finished.text = plain_letters(finished.text, as_written);
        finished.stem_begin = 0;
        finished.stem_end = finished.text.size();
    }
    return finished;
}

}  // namespace

FinishedWord finish_built_word(WordBuilder& builder, const Dictionary& dictionary) {
    const std::optional<Pronunciation> entry =
        builder.units_read().empty() ? std::nullopt : dictionary.pronunciation(builder.units_read());
    if (entry) {
        FinishedWord finished;
        finished.text = entry->roman;
        finished.lexicon = entry->lexicon;
        finished.stem_end = finished.text.size();
        return written_in_scheme(std::move(finished), builder.units_read(), dictionary);
    }
    FinishedWord finished = finish_word(std::move(builder.word()), dictionary);
    if (dictionary.spoken_forms()) drop_spoken_schwas(finished, builder.units_read());
    return written_in_scheme(std::move(finished), builder.units_read(), dictionary);
}

}  // namespace taviro
