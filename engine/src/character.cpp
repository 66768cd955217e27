// Character transliteration: one Gurmukhi character at a time, one character
// behind the input, because the next character can still change the latest one.

#include <array>

#include "taviro/character.h"
#include "taviro/engine_error.h"
#include "taviro/gurmukhi.h"
#include "taviro/tables.h"

namespace taviro {
namespace {

constexpr char16_t kFirstVowelSign = u'\u0A3E';  // vowel signs up to and including the halant
constexpr std::u16string_view kSha = u"sha";

// A consonant after tippi turns the tippi into the nasal of its own class.
struct NasalClass {
    char16_t first;
    char16_t last;
    char16_t nasal;
};
constexpr std::array<NasalClass, 8> kNasalClasses{{
    {u'\u0A15', u'\u0A19', u'\u1E45'},  // velar: ṅ
    {u'\u0A59', u'\u0A5A', u'\u1E45'},  // khha, ghha
    {u'\u0A1A', u'\u0A1E', u'\u00F1'},  // palatal: ñ
    {u'\u0A1F', u'\u0A23', u'\u1E47'},  // retroflex: ṇ
    {u'\u0A5C', u'\u0A5C', u'\u1E47'},  // rra
    {u'\u0A24', u'\u0A28', u'n'},       // dental
    {u'\u0A2A', u'\u0A2E', u'm'},       // labial
    {u'\u0A5E', u'\u0A5E', u'm'},       // fa
}};

char16_t nasal_of_class(char16_t code_point) {
    for (const NasalClass& nasal_class : kNasalClasses) {
        if (code_point >= nasal_class.first && code_point <= nasal_class.last) {
            return nasal_class.nasal;
        }
    }
    return 0;
}

bool is_vowel_sign_or_halant(char16_t code_point) {
    return code_point >= kFirstVowelSign && code_point <= kHalant;
}

// The addak waiting in the pending piece becomes the first letter of what
// follows (or "sh" before "sha", which is one sound in two letters).
void double_after_addak(std::u16string& pending, std::size_t row) {
    if (row == kMapRows) {
        throw EngineError(EngineError::Kind::addak_before_unmapped,
                          "addak before a character that has no transliteration");
    }
    const std::u16string_view roman = character_map()[row].roman;
    pending.assign(roman == kSha ? roman.substr(0, roman.size() - 1) : roman.substr(0, 1));
}

void drop_final_inherent_a(std::u16string& pending) {
    if (!pending.empty() && pending.back() == u'a' && pending != u"a") pending.pop_back();
}

}  // namespace

void add_character(CharacterState& state, char16_t code_point) {
    const std::size_t row = find_map_row(code_point);
    if (state.pending == kDoublingMarker) double_after_addak(state.pending, row);

    if (state.previous == kTippi || state.previous == kBindi) {
        if (const char16_t nasal = nasal_of_class(code_point); nasal != 0) state.pending.assign(1, nasal);
    }

    // A vowel sign or the halant replaces the inherent vowel of the letter before it.
    if (is_vowel_sign_or_halant(code_point) && !state.pending.empty()) state.pending.pop_back();
    state.word += state.pending;

    if (code_point == kHalant) {
        state.pending.clear();
        return;
    }
    if (row == kMapRows) {
        state.pending.assign(1, code_point);
    } else {
        state.pending.assign(character_map()[row].roman);
    }
    state.previous = code_point;
}

void end_word(CharacterState& state, bool drop_final_a) {
    // An addak with nothing after it to double (ਕੱ!) is a slip that writes nothing.
    if (state.pending == kDoublingMarker) state.pending.clear();
    if (drop_final_a) drop_final_inherent_a(state.pending);
    state.word += state.pending;
}

}  // namespace taviro
