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
#include <vector>

#include "taviro/character.h"
#include "taviro/roman_vowels.h"
#include "taviro/tables.h"

namespace taviro {
namespace {

// The long vowels the "a" is dropped after: ā ū ē ai ō au, as vowel signs
// and as letters of their own. Not ī: it ends the first word of many
// compounds whose second keeps its "a" (ਸਮੀਕਰਨ samīkaran, ਸ੍ਰੀਮਤੀ srīmatī,
// ਹੈਰਾਨੀਜਨਕ hairānījanak), and read word by word it was wrong more often
// than right.
constexpr std::u16string_view kLongVowels =
    u"\u0A3E\u0A42\u0A47\u0A48\u0A4B\u0A4C\u0A06\u0A0A\u0A0F\u0A10\u0A13\u0A14";

// A word that begins so begins with the prefix be- ("without"), whose word
// keeps its "a" (ਬੇਖ਼ਬਰ bēḵẖabar, ਬੇਵਫ਼ਾ bēvafā): the long vowel of the
// prefix drops nothing.
constexpr std::u16string_view kPrefixBe = u"\u0A2C\u0A47";

// A consonant after the "a" that is followed by one of these at the end of the
// word does not carry a vowel that speech says: the short vowel of Gurbani's
// word endings (ਕੀਮਤਿ kīmat, ਸਾਜਨੁ sājan).
constexpr std::u16string_view kSilentFinalVowels = u"\u0A3F\u0A41";

constexpr char16_t kHa = u'\u0A39';

// After a consonant, these say that it keeps its inherent "a": the addak
// doubles the next consonant after that short vowel, the tippi nasalizes it.
constexpr std::u16string_view kVowelAsserting = u"\u0A71\u0A70";

bool is_long_vowel(char16_t unit) { return kLongVowels.find(unit) != std::u16string_view::npos; }

bool is_vowel_letter(char16_t unit) { return unit >= u'\u0A05' && unit <= u'\u0A14'; }

bool is_consonant(char16_t unit) {
    const bool letter = (unit >= u'\u0A15' && unit <= u'\u0A39') || (unit >= u'\u0A59' && unit <= u'\u0A5E');
    return letter && find_map_row(unit) != kMapRows;
}

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
        return unit > 0 && is_long_vowel(units_[unit - 1]) && !(unit == 2 && units_.starts_with(kPrefixBe)) &&
               carries_own_vowel(unit + 1) && next_consonant_has_vowel(index + 1, unit + 1);
    }

private:
    std::size_t unit_at(std::size_t index) const { return written_.unit_of[at_[index]]; }

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
        const bool silent_final =
            unit + 2 == units_.size() && kSilentFinalVowels.find(next) != std::u16string_view::npos;
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
    word.spoken = true;
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
           kVowelAsserting.find(units[unit + 1]) != std::u16string_view::npos;
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
        if (context.drops(index)) dropped.push_back(index);
    }
    for (auto index = dropped.rbegin(); index != dropped.rend(); ++index) drop_letter(word, *index);
}

}  // namespace taviro
