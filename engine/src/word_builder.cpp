#include "taviro/word_builder.h"

#include <optional>
#include <utility>

#include "taviro/character_classes.h"
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

namespace {

// A run of format characters from `begin` ends here.
std::size_t end_of_format_run(std::u16string_view word, std::size_t begin) noexcept {
    while (begin < word.size() && is_format_character(word[begin])) ++begin;
    return begin;
}

// A run of format characters beside Gurmukhi is read as if not there: a
// zero-width space or joiner inside a Gurmukhi word changes nothing of it.
// Between emoji, in English, it stays as it is.
bool format_run_is_absent(std::u16string_view word, std::size_t begin, std::size_t end) noexcept {
    return (begin > 0 && in_gurmukhi_block(word[begin - 1])) || (end < word.size() && in_gurmukhi_block(word[end]));
}

}  // namespace

std::int32_t WordBuilder::add_word(std::u16string_view units) {
    std::int32_t counted = 0;
    for (std::size_t at = 0; at < units.size();) {
        if (!is_format_character(units[at])) {
            counted += add(units[at++]) ? 1 : 0;
            continue;
        }
        const std::size_t run_end = end_of_format_run(units, at);
        if (format_run_is_absent(units, at, run_end)) {
            at = run_end;
        }
        for (; at < run_end; ++at) counted += add(units[at]) ? 1 : 0;
    }
    return counted;
}

bool WordBuilder::has_letters() const noexcept { return !state_.word.empty() && holds_gurmukhi(read_); }

bool reads_as_nothing(std::u16string_view word) noexcept {
    for (std::size_t at = 0; at < word.size();) {
        if (!is_format_character(word[at])) {
            if (!reads_as_nothing(word[at++])) return false;
            continue;
        }
        const std::size_t run_end = end_of_format_run(word, at);
        if (!format_run_is_absent(word, at, run_end)) return false;
        at = run_end;
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
    builder.add_word(word);
    builder.end(true);
    return builder.units_read();
}

namespace {

// In plain letters the word is all stem: its pieces lie in the marked text,
// which the word keeps for its report. A lexicon's entry is marked as its
// Roman text (`entry_roman`), even where its English spelling is written.
void write_in_scheme(FinishedWord& finished, Scheme scheme, std::u16string_view entry_roman = {}) {
    if (scheme != Scheme::ascii) return;
    const bool entry = finished.lexicon != Lexicon::none;
    finished.marked = entry ? EarlierText{std::u16string(entry_roman), 0, entry_roman.size()}
                            : EarlierText{finished.text, finished.stem_begin, finished.stem_end};
    finished.text = plain_letters(finished.text, entry);
    finished.stem_begin = 0;
    finished.stem_end = finished.text.size();
}

}  // namespace

FinishedWord finish_built_word(WordBuilder& builder, const Dictionary& dictionary) {
    return finish_built_word(builder, dictionary, dictionary.writing());
}

FinishedWord finish_built_word(WordBuilder& builder, const Dictionary& dictionary, WordWriting writing) {
    if (!holds_gurmukhi(builder.units_read())) {
        FinishedWord as_written;
        as_written.text = builder.units_read();
        as_written.stem_end = as_written.text.size();
        return as_written;
    }
    const std::optional<Pronunciation> entry = dictionary.pronunciation(builder.units_read());
    if (entry) {
        FinishedWord finished;
        const bool spelled = writing.scheme == Scheme::ascii && !entry->spelling.empty();
        finished.text = spelled ? entry->spelling : entry->roman;
        finished.lexicon = entry->lexicon;
        finished.stem_end = finished.text.size();
        write_in_scheme(finished, writing.scheme, entry->roman);
        return finished;
    }
    FinishedWord finished = finish_word(std::move(builder.word()), dictionary);
    if (writing.spoken_forms) {
        // Only a word of confirmed pieces keeps its text from before: the report names the pieces in it.
        const bool pieces = finished.prefix || finished.suffix || finished.split;
        EarlierText before = pieces ? EarlierText{finished.text, finished.stem_begin, finished.stem_end} : EarlierText{};
        drop_spoken_schwas(finished, builder.units_read());
        if (pieces && finished.spoken_in_any_way()) finished.before_spoken = std::move(before);
    }
    write_in_scheme(finished, writing.scheme);
    return finished;
}

}  // namespace taviro
