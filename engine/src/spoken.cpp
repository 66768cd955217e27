// Spoken forms: the inherent "a" that speech drops after a long vowel.
//
// The rule is about Gurmukhi characters (which "a" is inherent, what is one
// consonant) but acts on the finished Roman text, from which word finishing
// has already taken some "a"s. So the word's units are romanized once more,
// letter by letter, to learn which unit wrote each letter, and the finished
// text is matched against that: it is the same text with "a"s left out.

#include "taviro/spoken.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "taviro/character.h"
#include "taviro/gurmukhi.h"
#include "taviro/roman_vowels.h"
#include "taviro/tables.h"

namespace taviro {
namespace {

// The "a" is dropped after a long vowel, but not after ī: it ends the first
// word of many compounds whose second keeps its "a" (ਸਮੀਕਰਨ samīkaran,
// ਸ੍ਰੀਮਤੀ srīmatī, ਹੈਰਾਨੀਜਨਕ hairānījanak), and read word by word it was
// wrong more often than right.
bool drops_after(char16_t unit) { return is_long_vowel(unit) && !is_vowel_ii(unit); }

// Prefixes whose word keeps its "a" after them: be- "without" (ਬੇਖ਼ਬਰ
// bēḵẖabar, ਬੇਵਫ਼ਾ bēvafā), whose long vowel drops nothing either, and vi-
// (ਵਿਕਲਪ vikalap, ਵਿਤਰਕ vitarak).
constexpr std::u16string_view kPrefixBe = u"\u0A2C\u0A47";
constexpr std::u16string_view kPrefixVi = u"\u0A35\u0A3F";

// After the negating prefix a-, the "a" of a negated word that begins with sa
// stays (ਅਸਫਲ asaphal, ਅਸਮਾਜਿਕ asamājik), but for st, sth, sṭ and sṭh, which
// are said in one breath (ਅਸਥਾਨ asthān, ਅਸਤਰ astar).
constexpr std::u16string_view kStopsAfterS = u"\u0A24\u0A25\u0A1F\u0A20";

// Between a vowel and st, sth or skā, a single ra, va, ja or da takes the "a"
// that the rules give the s: the s is said with the consonant after it
// (ਪੁਰਸਕਾਰ puraskār, ਅਵਸਥਾ avasthā, ਰਾਜਸਥਾਨ rājasthān, not pursakār).
constexpr std::u16string_view kBeforeCluster = u"\u0A30\u0A35\u0A1C\u0A26";
constexpr std::u16string_view kStopsAfterClusterS = u"\u0A24\u0A25";

// After a consonant, the addak and the tippi say that it keeps its inherent
// "a": the addak doubles the next consonant after that short vowel, the tippi
// nasalizes it.
bool asserts_vowel(char16_t unit) { return unit == kAddak || unit == kTippi; }

// A tippi or bindi on a long vowel before the nasal consonant of its own
// class is said as the vowel's nasalization, not as a consonant of its own:
// ਕਾਨੂੰਨ kānūn, ਹਨੂੰਮਾਨ hanūmān, where the rules write kānūnn and hanūmmān.
// But ā with one before ma mostly ends the first word of a compound, whose
// nasal is said before the m (ਬਾਰਾਂਮਾਹ bārāṃmāh, ਨਾਂਮਾਤਰ nāmmātar): the
// rules' letters stay.
bool nasalizes(char16_t vowel, char16_t nasal) {
    return is_long_vowel(vowel) && is_nasal_consonant(nasal) && !(is_vowel_aa(vowel) && nasal == kMa);
}

bool is_consonant(char16_t unit) { return is_consonant_letter(unit) && find_map_row(unit) != kMapRows; }

// The word's Roman text as the character rules write it, its final inherent
// "a" kept, with the index of the unit that wrote each letter.
struct WrittenText {
    std::u16string text;
    std::vector<std::size_t> unit_of;
};

WrittenText written_by_unit(std::u16string_view units) {
    CharacterState state;
    WrittenText written;
    // A unit's letters settle when the next unit comes (or the word ends).
    const auto settle = [&](std::size_t unit) { written.unit_of.resize(state.word.size(), unit); };
    for (std::size_t at = 0; at < units.size(); ++at) {
        add_character(state, units[at]);
        if (at > 0) settle(at - 1);
    }
    end_word(state, false);
    if (!units.empty()) settle(units.size() - 1);
    written.text = std::move(state.word);
    return written;
}

// Where each letter of `finished` stands in `written`, which must be
// `finished` with some "a"s more; nothing when it is not.
std::optional<std::vector<std::size_t>> match_letters(std::u16string_view finished, std::u16string_view written) {
    std::vector<std::size_t> at;
    at.reserve(finished.size());
    std::size_t from = 0;
    for (const char16_t letter : finished) {
        while (from < written.size() && written[from] != letter && written[from] == u'a') ++from;
        if (from == written.size() || written[from] != letter) return std::nullopt;
        at.push_back(from++);
    }
    for (; from < written.size(); ++from) {
        if (written[from] != u'a') return std::nullopt;
    }
    return at;
}

class SpokenContext {
public:
    SpokenContext(const FinishedWord& word, std::u16string_view units, const WrittenText& written,
                  const std::vector<std::size_t>& at)
        : word_(word), units_(units), written_(written), at_(at) {}

    // Whether speech drops the letter at `index` of the finished text.
    bool drops(std::size_t index) const {
        if (!is_inherent_a(index) || in_kept_piece(index)) return false;
        const std::size_t unit = unit_at(index);
        return unit > 0 && drops_after(units_[unit - 1]) && !(unit == 2 && units_.starts_with(kPrefixBe)) &&
               carries_own_vowel(unit + 1) && next_consonant_has_vowel(index + 1, unit + 1);
    }

    // Whether speech drops the letter at `index`: the "a" of the one consonant
    // that begins a piece after a join, where the piece before is a single
    // letter with its vowel. Such joins are mostly chance matches of short
    // dictionary words (ਸ + ਕਦੇ, ਕ + ਸ਼ਮੀਰ, ਜਿ + ਸਦਾ, ਅ + ਕਸ + ਰ), and the
    // word is said as the rules alone write it: sakdē, kashmīr, jisdā, aksar.
    bool drops_at_join(std::size_t index) const {
        if (!is_inherent_a(index)) return false;
        const std::size_t unit = unit_at(index);
        const std::optional<std::size_t> join = join_before(index, unit);
        if (!join || !is_roman_vowel(word_.text[*join - 1]) || !is_one_letter(unit_at(*join - 1))) return false;
        if (unit == 2 && (units_.starts_with(kPrefixBe) || units_.starts_with(kPrefixVi))) return false;
        if (units_[unit] == kVa) return false;
        if (units_[0] == kLetterA && units_[unit] == kSa && !holds(kStopsAfterS, unit + 1)) return false;
        return carries_own_vowel(unit + 1) && next_consonant_has_vowel(index + 1, unit + 1);
    }

    // Whether the letter at `index` is the one that a tippi (or a bindi, read
    // as one) wrote between a long vowel and the nasal consonant of its
    // class, which writes the same letter after it.
    bool is_nasalization(std::size_t index) const {
        const std::size_t unit = unit_at(index);
        if (units_[unit] != kTippi || unit == 0 || index + 1 >= word_.text.size()) return false;
        const bool one_letter = (index == 0 || unit_at(index - 1) != unit) && unit_at(index + 1) == unit + 1;
        if (!one_letter || word_.text[index] != word_.text[index + 1]) return false;
        return nasalizes(units_[unit - 1], units_[unit + 1]);
    }

    // Whether the "s" at `index`, followed by the "a" the rules kept, is the
    // s of such a cluster, the consonant before it having lost its "a".
    bool is_cluster_s(std::size_t index) const {
        const std::u16string& text = word_.text;
        if (index < 2 || index + 2 >= text.size() || text[index] != u's' || !is_inherent_a(index + 1)) return false;
        const std::size_t unit = unit_at(index);
        if (units_[unit] != kSa || unit < 2 || unit_at(index - 1) != unit - 1 || unit_at(index - 2) != unit - 2) {
            return false;
        }
        if (!holds(kBeforeCluster, unit - 1) || !is_roman_vowel(text[index - 2])) return false;
        if (word_.stem_begin == index + 1 || word_.stem_end == index + 1) return false;  // a join between s and a
        const bool st = holds(kStopsAfterClusterS, unit + 1) && carries_own_vowel(unit + 1) &&
                        next_consonant_has_vowel(index + 2, unit + 1);
        const bool ska = unit + 2 < units_.size() && units_[unit + 1] == kKa && units_[unit + 2] == kKanna;
        return st || ska;
    }

private:
    std::size_t unit_at(std::size_t index) const { return written_.unit_of[at_[index]]; }

    bool holds(std::u16string_view set, std::size_t unit) const {
        return unit < units_.size() && set.find(units_[unit]) != std::u16string_view::npos;
    }

    // Where a piece that `unit` alone begins, up to the letter at `index`,
    // starts after a confirmed prefix or the first part of a split.
    std::optional<std::size_t> join_before(std::size_t index, std::size_t unit) const {
        for (const std::size_t join : {word_.prefix ? word_.stem_begin : 0, word_.split ? word_.stem_end : 0}) {
            if (join == 0 || join > index || unit_at(join - 1) == unit) continue;
            bool one_unit = true;
            for (std::size_t at = join; at < index; ++at) one_unit = one_unit && unit_at(at) == unit;
            if (one_unit) return join;
        }
        return std::nullopt;
    }

    // Whether units up to `last` hold one letter, consonant or vowel.
    bool is_one_letter(std::size_t last) const {
        std::size_t letters = 0;
        for (std::size_t unit = 0; unit <= last; ++unit) {
            letters += is_consonant(units_[unit]) || is_vowel_letter(units_[unit]);
        }
        return letters == 1;
    }

    bool is_inherent_a(std::size_t index) const {
        const std::size_t place = at_[index];
        const std::size_t unit = written_.unit_of[place];
        const bool last_of_unit = place + 1 == written_.text.size() || written_.unit_of[place + 1] != unit;
        return word_.text[index] == u'a' && last_of_unit && is_consonant(units_[unit]);
    }

    // The unit is a consonant with a vowel of its own after it, or its
    // inherent "a": not ha, whose "a" speech keeps before it (ਬੇਸਹਾਰਾ
    // bēsahārā, ਆਖਹਿ ākhahi), not a vowel letter, which begins a word of a
    // compound (ਏਧਰਓਧਰ ēdharōdhar), nor a short vowel that ends the word.
    bool carries_own_vowel(std::size_t unit) const {
        if (unit >= units_.size() || !is_consonant(units_[unit]) || units_[unit] == kHa) return false;
        if (unit + 1 == units_.size()) return true;
        const char16_t next = units_[unit + 1];
        // Gurbani's short vowel at the end of a word is not said (ਕੀਮਤਿ kīmat, ਸਾਜਨੁ sājan).
        const bool silent_final = unit + 2 == units_.size() && is_short_vowel_sign(next);
        return !is_vowel_letter(next) && !silent_final;
    }

    // An "a" of a kept prefix or suffix, or at a junction of the pieces.
    bool in_kept_piece(std::size_t index) const {
        if (word_.prefix && index <= word_.stem_begin) return true;
        if (word_.suffix && index + 1 >= word_.stem_end) return true;
        return word_.split && (index + 1 == word_.stem_end || index == word_.stem_end);
    }

    // The consonant of `unit`, whose letters begin at `index`, is followed by
    // a vowel that is not the word's kept final "a".
    bool next_consonant_has_vowel(std::size_t index, std::size_t unit) const {
        const std::u16string& text = word_.text;
        while (index < text.size() && unit_at(index) == unit && !is_inherent_a(index)) ++index;
        if (index >= text.size() || !is_roman_vowel(text[index])) return false;
        return !(text[index] == u'a' && index + 1 == text.size());
    }

    const FinishedWord& word_;
    std::u16string_view units_;
    const WrittenText& written_;
    const std::vector<std::size_t>& at_;
};

void drop_letter(FinishedWord& word, std::size_t index) {
    word.text.erase(index, 1);
    if (index < word.stem_begin) --word.stem_begin;
    if (index < word.stem_end) --word.stem_end;
}

// An "a" goes into the piece of the consonant before it.
void keep_letter(FinishedWord& word, std::size_t index) {
    word.text.insert(index, 1, u'a');
    if (index <= word.stem_begin && word.stem_begin != 0) ++word.stem_begin;
    if (index <= word.stem_end) ++word.stem_end;
    word.spoken_kept = true;
}

// Whether the letter at `place` of the written text is the inherent "a" of a
// consonant that carries an addak, a tippi or a bindi (read as tippi): the
// writing says it is there.
bool is_asserted_a(const WrittenText& written, std::u16string_view units, std::size_t place) {
    const std::size_t unit = written.unit_of[place];
    const bool last_of_unit = place + 1 == written.text.size() || written.unit_of[place + 1] != unit;
    return written.text[place] == u'a' && last_of_unit && is_consonant(units[unit]) && unit + 1 < units.size() &&
           asserts_vowel(units[unit + 1]);
}

// Puts back every asserted "a" that the rules or the joins of word finishing
// took out. Returns whether it put one back.
bool keep_asserted_vowels(FinishedWord& word, std::u16string_view units, const WrittenText& written,
                          const std::vector<std::size_t>& at) {
    std::vector<std::size_t> kept;  // where each goes in the finished text
    std::size_t index = 0;
    for (std::size_t place = 0; place < written.text.size(); ++place) {
        if (index < at.size() && at[index] == place) {
            ++index;
        } else if (is_asserted_a(written, units, place)) {
            kept.push_back(index);
        }
    }
    for (auto where = kept.rbegin(); where != kept.rend(); ++where) keep_letter(word, *where);
    return !kept.empty();
}

// Moves the "a" after the s of each cluster (see is_cluster_s) before it.
void move_cluster_vowels(FinishedWord& word, std::u16string_view units, const WrittenText& written) {
    if (units.find(kSa) == std::u16string_view::npos) return;  // most words: no s, nothing to align again
    const std::optional<std::vector<std::size_t>> at = match_letters(word.text, written.text);
    if (!at) return;
    std::vector<std::size_t> moved;
    const SpokenContext context(word, units, written, *at);
    for (std::size_t index = 0; index < word.text.size(); ++index) {
        if (context.is_cluster_s(index)) moved.push_back(index);
    }
    for (const std::size_t index : moved) {
        std::swap(word.text[index], word.text[index + 1]);
        // The "a" goes into the piece of the consonant before it, as a kept one does.
        if (word.stem_begin == index) ++word.stem_begin;
        if (word.stem_end == index) ++word.stem_end;
    }
    if (!moved.empty()) word.spoken_cluster = true;
}

}  // namespace

void drop_spoken_schwas(FinishedWord& word, std::u16string_view units) {
    if (word.lexicon != Lexicon::none || word.text.empty()) return;
    const WrittenText written = written_by_unit(units);
    std::optional<std::vector<std::size_t>> at = match_letters(word.text, written.text);
    if (!at) return;
    if (keep_asserted_vowels(word, units, written, *at)) {
        at = match_letters(word.text, written.text);
        if (!at) return;
    }
    const SpokenContext context(word, units, written, *at);
    std::vector<std::size_t> dropped;
    for (std::size_t index = 0; index < word.text.size(); ++index) {
        if (context.drops(index)) {
            word.spoken = true;
        } else if (context.drops_at_join(index)) {
            word.spoken_join = true;
        } else if (context.is_nasalization(index)) {
            word.spoken_nasal = true;
        } else {
            continue;
        }
        dropped.push_back(index);
    }
    for (auto index = dropped.rbegin(); index != dropped.rend(); ++index) drop_letter(word, *index);
    move_cluster_vowels(word, units, written);
}

}  // namespace taviro
