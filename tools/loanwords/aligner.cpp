#include "aligner.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>

#include "taviro/convert/dictionary_entry.h"
#include "taviro/gurmukhi.h"
#include "taviro/word_builder.h"

namespace taviro::loanwords {
namespace {

// Enough alignments of one pronunciation; more come only from long runs of
// glides and say nothing new.
constexpr std::size_t kMostAlignments = 16;

// An unwritten vowel may mean none or a neutral one, and neither is the
// likelier: where two English words fit a word that way (ticket, ticked), it
// is left to the rules.
constexpr int kNoVowelScore = 1;
constexpr int kNeutralVowelScore = 1;

// The letter s, whose cluster at the start of a word speakers break.
constexpr char16_t kSa = u'\u0A38';
// Final clusters speakers break with their vowel: a consonant before one of these.
constexpr std::u16string_view kBreakingFinals = u"\u0A32\u0A2E\u0A28\u0A30\u0A23\u0A33";

struct Aligner {
    const Reading& reading;
    const Phones& phones;
    std::vector<std::vector<Phones>> found;  // the English of each gap, per alignment

    bool fits(const Consonant& consonant, std::string_view phone) const {
        return std::ranges::find(consonant.row->english, phone) != consonant.row->english.end();
    }

    void align(std::size_t g, std::size_t e, Phones gap, std::vector<Phones>& gaps) {
        if (found.size() == kMostAlignments) return;
        const std::size_t count = reading.consonants.size();
        if (e == phones.size()) {
            if (g == count) {
                gaps.push_back(gap);
                found.push_back(gaps);
                gaps.pop_back();
            }
            return;
        }
        const std::string& phone = phones[e];
        const EnglishConsonant* consonant = english_consonant(phone);
        if (consonant == nullptr || is_weak(consonant->key)) {
            Phones longer = gap;
            longer.push_back(phone);
            align(g, e + 1, longer, gaps);
        }
        if (consonant == nullptr || g == count || !fits(reading.consonants[g], phone)) return;
        gaps.push_back(gap);
        align(g + 1, e + 1, {}, gaps);
        if (phone == "ng" && g + 1 < count && reading.consonants[g + 1].row->key == 'g') {
            gaps.push_back({});
            align(g + 2, e + 1, {}, gaps);
            gaps.pop_back();
        }
        gaps.pop_back();
    }
};

bool has_vowel(const Phones& gap) {
    return std::ranges::any_of(gap, [](const std::string& phone) { return english_consonant(phone) == nullptr; });
}

bool only_h(const Phones& gap) {
    return std::ranges::all_of(gap, [](const std::string& phone) { return phone == "hh"; });
}

// How well the written vowels fit the English of the gap: -1 when they do not.
int written_fit(std::string_view written, const Phones& gap, std::size_t k) {
    if (k == gap.size()) return written.empty() ? 0 : -1;
    const EnglishVowel* vowel = english_vowel(gap[k]);
    if (vowel == nullptr) return -1;
    int best = -1;
    for (std::size_t option = 0; option < vowel->written.size(); ++option) {
        const std::string_view form = vowel->written[option];
        if ((form.empty() && option > 0) || !written.starts_with(form)) continue;
        const int rest = written_fit(written.substr(form.size()), gap, k + 1);
        if (rest >= 0) best = std::max(best, rest + (option == 0 ? 2 : 1));
    }
    return best;
}

// What becomes of a consonant's inherent "a".
enum class Choice { keep, drop, as_the_rules };

struct Fit {
    int score = 0;
    std::vector<Choice> choices;  // per consonant
};

// Whether the English of a gap fits what the word writes there, and what
// becomes of an inherent "a" there: it goes where English has no vowel. Where
// English has one, an unstressed vowel is often not said by speakers
// (kampnī, milṭrī), so the rules decide, as they do for the native words.
bool fit_gap(const Gap& gap, const Phones& english, Choice& choice, int& score) {
    switch (gap.kind) {
    case Gap::Kind::nothing:
        return only_h(english);
    case Gap::Kind::inherent: {
        if (!has_vowel(english)) {
            choice = Choice::drop;
            score += kNoVowelScore;
            return only_h(english);
        }
        if (english.size() != 1 || !is_neutral_vowel(english.front())) {
            return false;
        }
        score += kNeutralVowelScore;
        choice = is_stressed(english.front()) ? Choice::keep : Choice::as_the_rules;
        return true;
    }
    case Gap::Kind::vowels: {
        const int fit = has_vowel(english) ? written_fit(gap.vowels, english, 0) : -1;
        score += fit;
        return fit >= 0;
    }
    }
    return false;
}

// A stressed vowel before a nasal that closes its syllable is said even where
// the rules drop it (ōlampik, not ōlmpik); elsewhere the rules decide.
bool before_nasal_cluster(const Reading& reading, std::size_t consonant) {
    const std::size_t next = consonant + 1;
    return next + 1 < reading.consonants.size() && reading.consonants[next].row->key == kNasal &&
           reading.gaps[next + 1].kind == Gap::Kind::nothing;
}

std::optional<Fit> fit_alignment(const Reading& reading, const std::vector<Phones>& gaps) {
    Fit fit;
    fit.choices.assign(reading.consonants.size(), Choice::as_the_rules);
    for (std::size_t i = 0; i < gaps.size(); ++i) {
        Choice choice = Choice::as_the_rules;
        if (!fit_gap(reading.gaps[i], gaps[i], choice, fit.score)) return std::nullopt;
        if (i == 0 || reading.gaps[i].kind != Gap::Kind::inherent) continue;
        const Consonant& consonant = reading.consonants[i - 1];
        // The end of the word drops the last inherent "a" whatever English has.
        if (i == gaps.size() - 1 && choice != Choice::drop) return std::nullopt;
        // A geminate follows a said vowel.
        if (consonant.before_addak && choice == Choice::drop) return std::nullopt;
        if (consonant.before_addak) choice = Choice::keep;
        if (choice == Choice::keep && !before_nasal_cluster(reading, i - 1) && !consonant.before_addak) {
            choice = Choice::as_the_rules;
        }
        fit.choices[i - 1] = choice;
    }
    return fit;
}

// A final cluster that ends in l, m, n or r keeps the vowel before it, as
// speakers say it (piksal), unless that vowel follows a nasal.
void break_final_cluster(const Reading& reading, Fit& fit) {
    const std::size_t count = reading.consonants.size();
    if (count < 2 || reading.gaps[count - 1].kind != Gap::Kind::inherent ||
        reading.gaps[count].kind != Gap::Kind::inherent) {
        return;
    }
    const Consonant& last = reading.consonants[count - 1];
    const Consonant& before = reading.consonants[count - 2];
    if (kBreakingFinals.find(last.row->letter) != std::u16string_view::npos && before.row->key != kNasal) {
        fit.choices[count - 2] = Choice::keep;
    }
}

// An s that begins a word before another consonant keeps the vowel after it:
// speakers break that cluster too (sakūl, saṭēshan), as Punjabi breaks any
// cluster at the start of a syllable.
void break_initial_s_cluster(const Reading& reading, Fit& fit) {
    if (reading.consonants.size() >= 2 && reading.gaps[0].kind == Gap::Kind::nothing &&
        reading.consonants[0].row->letter == kSa && reading.gaps[1].kind == Gap::Kind::inherent) {
        fit.choices[0] = Choice::keep;
    }
}

// Where the inherent "a" of each consonant lies in the romanized word: the
// Roman text of the word up to that consonant ends in it.
std::size_t inherent_a_at(const Reading& reading, const Consonant& consonant) {
    WordBuilder builder;
    for (std::size_t i = 0; i <= consonant.at; ++i) builder.add(reading.units[i]);
    builder.end(false);
    return builder.word().size() - 1;
}

// Which inherent "a"s stay. Where English has no vowel after a consonant but
// the rules keep one there, the rules have often put a neutral vowel one
// consonant off (iṇṭranaiṭ for iṇṭarnaiṭ): it moves to the neighbour where
// English has it, so the word keeps its syllables.
std::vector<bool> kept_vowels(const Fit& fit, const std::vector<bool>& rules) {
    std::vector<bool> keep(fit.choices.size());
    for (std::size_t i = 0; i < keep.size(); ++i) {
        keep[i] = fit.choices[i] == Choice::as_the_rules ? rules[i] : fit.choices[i] == Choice::keep;
    }
    const auto neutral_dropped = [&](std::size_t i) {
        return i < keep.size() && fit.choices[i] == Choice::as_the_rules && !keep[i];
    };
    for (std::size_t i = 0; i < keep.size(); ++i) {
        if (fit.choices[i] != Choice::drop || !rules[i]) continue;
        if (i > 0 && neutral_dropped(i - 1)) {
            keep[i - 1] = true;
        } else if (neutral_dropped(i + 1)) {
            keep[i + 1] = true;
        }
    }
    return keep;
}

// The word with a halant after every consonant whose inherent "a" goes,
// romanized by the character rules.
std::u16string written_roman(const Reading& reading, const Fit& fit, const std::vector<bool>& rules) {
    const std::vector<bool> keep = kept_vowels(fit, rules);
    std::u16string units;
    std::size_t next = 0;
    for (std::size_t i = 0; i + 1 < reading.consonants.size(); ++i) {
        const Consonant& consonant = reading.consonants[i];
        if (keep[i] || reading.gaps[i + 1].kind != Gap::Kind::inherent) continue;
        units.append(reading.units, next, consonant.at + 1 - next);
        units += kHalant;
        next = consonant.at + 1;
    }
    units.append(reading.units, next);
    return romanize_word(units);
}

}  // namespace

std::vector<std::vector<Phones>> alignments(const Reading& reading, const Phones& phones) {
    Aligner aligner{reading, phones, {}};
    std::vector<Phones> gaps;
    aligner.align(0, 0, {}, gaps);
    return std::move(aligner.found);
}

std::vector<bool> kept_by_rules(const Reading& reading, std::u16string_view rules) {
    const std::u16string full = romanize_word(reading.units);
    std::vector<bool> kept_at(full.size(), false);
    for (std::size_t j = 0, k = 0; j < full.size(); ++j) {
        if (k < rules.size() && full[j] == rules[k]) {
            kept_at[j] = true;
            ++k;
        }
    }
    std::vector<bool> kept(reading.consonants.size(), true);
    for (std::size_t i = 0; i + 1 < reading.consonants.size(); ++i) {
        if (reading.gaps[i + 1].kind == Gap::Kind::inherent) {
            const std::size_t at = inherent_a_at(reading, reading.consonants[i]);
            kept[i] = at < full.size() && kept_at[at];
        }
    }
    return kept;
}

std::vector<WrittenForm> written_forms(const Reading& reading, const Phones& phones,
                                       const std::vector<bool>& rules_keep) {
    std::vector<WrittenForm> forms;
    for (const std::vector<Phones>& alignment : alignments(reading, phones)) {
        if (auto fit = fit_alignment(reading, alignment)) {
            break_final_cluster(reading, *fit);
            break_initial_s_cluster(reading, *fit);
            forms.push_back({written_roman(reading, *fit, rules_keep), fit->score});
        }
    }
    return forms;
}

}  // namespace taviro::loanwords
