#include "loanword_lexicon.h"

#include <algorithm>
#include <array>
#include <optional>
#include <sstream>
#include <unordered_set>

#include "taviro/dict/dictionary_entry.h"
#include "taviro/word_builder.h"

namespace taviro::loanwords {
namespace {

// Fewer consonants than this and too many native words share a skeleton with
// some English word.
constexpr std::size_t kMinConsonants = 3;
// A word of that few consonants (ਯ ਵ ਹ counted) must also show a sign that
// Punjabi writes English words with, far more than native ones: a retroflex t
// or d, the vowel ੈ or ਐ (English a and e), or a geminate (English double
// letters). Without it, words like ਗਰੀਬ or ਕਬਜ਼ fit common English words
// (grebe, cubs).
constexpr std::size_t kMarkedConsonants = 3;
constexpr std::u16string_view kEnglishMarks = u"\u0A1F\u0A21\u0A48\u0A10\u0A71";
// Enough alignments of one pronunciation; more come only from long runs of
// glides and say nothing new.
constexpr std::size_t kMostAlignments = 16;

// Key letters of consonant classes. A class holds the Gurmukhi letters and the
// English consonants that may stand for one another; the weak ones (glides
// and h) are left out of the skeleton, and kNoEnglish fits nothing.
constexpr char kNasal = 'N';
constexpr char kNoEnglish = 'X';
constexpr std::string_view kWeakClasses = "yvh";

struct GurmukhiConsonant {
    char16_t letter;
    char key;
    std::array<std::string_view, 3> english;
};

// The dental ਤ ਦ and their aspirates fit nothing: Punjabi writes English t
// and d with the retroflex letters, and native words keep the dentals. So do
// the letters English words are not written with: the voiced aspirates, ਖ ਛ
// ਠ, ਣ, ੜ and the Persian ਖ਼ ਗ਼; they mark a word as native.
constexpr std::array<GurmukhiConsonant, 39> kConsonants{{
    {u'\u0A15', 'k', {"k"}},  // ਕ
    {u'\u0A16', kNoEnglish, {}},  // ਖ
    {u'\u0A17', 'g', {"g"}},  // ਗ
    {u'\u0A18', kNoEnglish, {}},  // ਘ
    {u'\u0A19', kNasal, {"ng"}},  // ਙ
    {u'\u0A1A', 'c', {"ch"}},  // ਚ
    {u'\u0A1B', kNoEnglish, {}},  // ਛ
    {u'\u0A1C', 'j', {"jh"}},  // ਜ
    {u'\u0A1D', kNoEnglish, {}},  // ਝ
    {u'\u0A1E', kNasal, {"n"}},  // ਞ
    {u'\u0A1F', 't', {"t"}},  // ਟ
    {u'\u0A20', kNoEnglish, {}},  // ਠ
    {u'\u0A21', 'd', {"d"}},  // ਡ
    {u'\u0A22', kNoEnglish, {}},  // ਢ
    {u'\u0A23', kNoEnglish, {}},  // ਣ
    {u'\u0A24', kNoEnglish, {}},  // ਤ
    {u'\u0A25', 'T', {"th"}},  // ਥ
    {u'\u0A26', kNoEnglish, {}},  // ਦ
    {u'\u0A27', kNoEnglish, {}},  // ਧ
    {u'\u0A28', kNasal, {"n"}},  // ਨ
    {u'\u0A2A', 'p', {"p"}},  // ਪ
    {u'\u0A2B', 'p', {"f"}},  // ਫ
    {u'\u0A2C', 'b', {"b"}},  // ਬ
    {u'\u0A2D', kNoEnglish, {}},  // ਭ
    {u'\u0A2E', kNasal, {"m"}},  // ਮ
    {u'\u0A2F', 'y', {"y"}},  // ਯ
    {u'\u0A30', 'r', {"r"}},  // ਰ
    {u'\u0A32', 'l', {"l"}},  // ਲ
    {u'\u0A35', 'v', {"v", "w"}},  // ਵ
    {u'\u0A38', 's', {"s", "sh"}},  // ਸ
    {u'\u0A39', 'h', {"hh"}},  // ਹ
    {u'\u0A5C', kNoEnglish, {}},  // ੜ
    {u'\u0A36', 's', {"sh"}},  // ਸ਼
    {u'\u0A59', kNoEnglish, {}},  // ਖ਼
    {u'\u0A5A', kNoEnglish, {}},  // ਗ਼
    {u'\u0A5B', 'j', {"z", "zh", "jh"}},  // ਜ਼
    {u'\u0A5E', 'p', {"f"}},  // ਫ਼
    {u'\u0A33', 'l', {"l"}},  // ਲ਼
    {kTippi, kNasal, {"m", "n", "ng"}},  // tippi before a consonant
}};

struct EnglishConsonant {
    std::string_view phone;
    char key;
};
constexpr std::array<EnglishConsonant, 24> kEnglishConsonants{{
    {"k", 'k'},  {"g", 'g'},  {"m", kNasal}, {"n", kNasal}, {"ng", kNasal}, {"ch", 'c'}, {"jh", 'j'}, {"z", 'j'},
    {"zh", 'j'}, {"t", 't'},  {"d", 'd'},    {"th", 'T'},   {"dh", kNoEnglish}, {"p", 'p'}, {"f", 'p'}, {"b", 'b'},
    {"r", 'r'},  {"l", 'l'},  {"s", 's'},    {"sh", 's'},   {"y", 'y'},   {"w", 'v'},   {"v", 'v'},  {"hh", 'h'},
}};

// Vowels of a Gurmukhi word, one letter each: a (ਅ, or an inherent "a" a
// vowel follows), A ਾ, i ਿ, I ੀ, u ੁ, U ੂ, e ੇ, E ੈ, o ੋ, O ੌ.
struct VowelSign {
    char16_t sign;
    char16_t independent;
    char vowel;
};
constexpr std::array<VowelSign, 9> kVowelSigns{{
    {u'\u0A3E', u'\u0A06', 'A'},  // ਾ ਆ
    {u'\u0A3F', u'\u0A07', 'i'},  // ਿ ਇ
    {u'\u0A40', u'\u0A08', 'I'},  // ੀ ਈ
    {u'\u0A41', u'\u0A09', 'u'},  // ੁ ਉ
    {u'\u0A42', u'\u0A0A', 'U'},  // ੂ ਊ
    {u'\u0A47', u'\u0A0F', 'e'},  // ੇ ਏ
    {u'\u0A48', u'\u0A10', 'E'},  // ੈ ਐ
    {u'\u0A4B', u'\u0A13', 'o'},  // ੋ ਓ
    {u'\u0A4C', u'\u0A14', 'O'},  // ੌ ਔ
}};
constexpr char16_t kA = u'\u0A05';
constexpr char16_t kIriCarrier = u'\u0A72';
constexpr char16_t kUraCarrier = u'\u0A73';

// What each English vowel may be written as, the likeliest first; y and h,
// taken into a vowel, may also be written as nothing, but a w is written
// (ਸਕਿੰਟ is second, not squint).
struct EnglishVowel {
    std::string_view phone;
    std::array<std::string_view, 6> written;
};
constexpr std::array<EnglishVowel, 19> kEnglishVowels{{
    {"aa", {"A", "o", "O"}},
    {"ae", {"E", "A"}},
    {"ah", {"a"}},
    {"ao", {"A", "o", "O"}},
    {"aw", {"O", "AU", "Au", "A"}},
    {"ax", {"a", "A", "i", "u", "e", "o"}},
    {"ay", {"AI", "Ai", "AE", "E"}},
    {"eh", {"E", "e"}},
    {"er", {"a"}},
    {"ey", {"e", "E"}},
    {"ih", {"i"}},
    {"iy", {"I"}},
    {"ow", {"o", "O"}},
    {"oy", {"oI", "Ai", "AI", "oi"}},
    {"uh", {"u", "U"}},
    {"uw", {"U", "u", "iU"}},
    {"y", {"", "i", "I"}},
    {"w", {"u", "U", "o"}},
    {"hh", {""}},
}};
// The English vowels an unwritten inherent "a" stands for: the neutral ones.
// Writers give the others their own signs.
constexpr std::array<std::string_view, 3> kInherentVowels{"ax", "ah", "er"};
// An unwritten vowel may mean none or a neutral one, and neither is the
// likelier: where two English words fit a word that way (ticket, ticked), it
// is left to the rules.
constexpr int kNoVowelScore = 1;
constexpr int kNeutralVowelScore = 1;

// Final clusters speakers break with their vowel: a consonant before one of these.
constexpr std::u16string_view kBreakingFinals = u"\u0A32\u0A2E\u0A28\u0A30\u0A23\u0A33";

const GurmukhiConsonant* gurmukhi_consonant(char16_t letter) {
    const auto it = std::ranges::find(kConsonants, letter, &GurmukhiConsonant::letter);
    return it == kConsonants.end() ? nullptr : &*it;
}

// A stressed vowel carries a "1" after its name.
constexpr char kStressed = '1';
std::string_view base(std::string_view phone) {
    return phone.ends_with(kStressed) ? phone.substr(0, phone.size() - 1) : phone;
}
bool is_stressed(std::string_view phone) { return phone.ends_with(kStressed); }

const EnglishConsonant* english_consonant(std::string_view phone) {
    const auto it = std::ranges::find(kEnglishConsonants, phone, &EnglishConsonant::phone);
    return it == kEnglishConsonants.end() ? nullptr : &*it;
}

const EnglishVowel* english_vowel(std::string_view phone) {
    const auto it = std::ranges::find(kEnglishVowels, base(phone), &EnglishVowel::phone);
    return it == kEnglishVowels.end() ? nullptr : &*it;
}

bool is_weak(char key) { return kWeakClasses.find(key) != std::string_view::npos; }

// ---------------------------------------------------------------------------
// The Gurmukhi word as consonants and the vowels between them.

struct Consonant {
    const GurmukhiConsonant* row;
    std::size_t at;             // its unit in the word, where a halant would go
    bool before_addak = false;  // its vowel comes before a geminate and stays
};

struct Gap {
    enum class Kind { nothing, inherent, vowels } kind = Kind::nothing;
    std::string vowels;
};

struct Reading {
    std::u16string units;
    std::vector<Consonant> consonants;
    std::vector<Gap> gaps;  // gaps[i] comes before consonants[i]; one more at the end
};

std::optional<char> vowel_of_sign(char16_t unit) {
    const auto it = std::ranges::find(kVowelSigns, unit, &VowelSign::sign);
    return it == kVowelSigns.end() ? std::nullopt : std::optional<char>(it->vowel);
}

std::optional<char> vowel_of_letter(char16_t unit) {
    if (unit == kA) return 'a';
    const auto it = std::ranges::find(kVowelSigns, unit, &VowelSign::independent);
    return it == kVowelSigns.end() ? std::nullopt : std::optional<char>(it->vowel);
}

// A vowel written after the gap's consonant: a sign replaces the inherent
// "a", a letter follows it.
void add_vowel(Gap& gap, char vowel, bool is_sign) {
    if (gap.kind == Gap::Kind::inherent) {
        gap.vowels = is_sign ? std::string(1, vowel) : std::string("a") + vowel;
    } else {
        gap.vowels += vowel;
    }
    gap.kind = Gap::Kind::vowels;
}

// One unit of the word; false when the reading does not know it there.
bool read_unit(Reading& reading, std::size_t i) {
    const std::u16string& units = reading.units;
    const char16_t unit = units[i];
    Gap& gap = reading.gaps.back();
    const bool after_consonant = gap.kind == Gap::Kind::inherent && gap.vowels.empty();
    if (unit == kTippi) {
        // Before a consonant it is one; elsewhere it only nasalizes a vowel.
        if (i + 1 < units.size() && gurmukhi_consonant(units[i + 1]) != nullptr) {
            reading.consonants.push_back({gurmukhi_consonant(kTippi), i});
            reading.gaps.push_back({});
        }
        return true;
    }
    if (unit == kAddak) {
        if (!reading.consonants.empty() && after_consonant) reading.consonants.back().before_addak = true;
        return true;
    }
    if (const GurmukhiConsonant* row = gurmukhi_consonant(unit)) {
        reading.consonants.push_back({row, i});
        reading.gaps.push_back({Gap::Kind::inherent, {}});
        return true;
    }
    if (unit == kHalant) {
        if (!after_consonant) return false;
        gap.kind = Gap::Kind::nothing;
        return true;
    }
    if (const auto vowel = vowel_of_sign(unit)) {
        if (!after_consonant) return false;
        add_vowel(gap, *vowel, true);
        return true;
    }
    if (const auto vowel = vowel_of_letter(unit)) {
        add_vowel(gap, *vowel, false);
        return true;
    }
    // A carrier is a vowel only with the sign it carries.
    if ((unit == kIriCarrier || unit == kUraCarrier) && i + 1 < units.size()) {
        if (const auto vowel = vowel_of_sign(units[i + 1])) {
            add_vowel(gap, *vowel, false);
            reading.units[i + 1] = 0;  // taken
            return true;
        }
    }
    return unit == 0;
}

std::optional<Reading> read_word(std::u16string_view word) {
    Reading reading;
    try {
        reading.units = units_as_read(word);
    } catch (const EngineError&) {
        return std::nullopt;
    }
    reading.gaps.push_back({});
    const std::u16string original = reading.units;
    for (std::size_t i = 0; i < reading.units.size(); ++i) {
        if (!read_unit(reading, i)) return std::nullopt;
    }
    reading.units = original;
    // English words end in no nasal vowel; words that do are Punjabi plurals and cases.
    if (reading.consonants.empty() || reading.units.back() == kTippi) return std::nullopt;
    return reading;
}

std::string skeleton(const Reading& reading) {
    std::string key;
    for (const Consonant& consonant : reading.consonants) {
        if (!is_weak(consonant.row->key)) key += consonant.row->key;
    }
    return key;
}

// ---------------------------------------------------------------------------
// English: phones, with er split into its vowel and r, and skeletons.

// The phones of the syllables "((p h o n e s) STRESS) ...", the vowels of
// stressed syllables marked.
std::vector<std::string> split_phones(std::string_view syllables) {
    std::vector<std::string> phones;
    std::size_t open = 0;
    while ((open = syllables.find("((", open)) != std::string_view::npos) {
        const std::size_t close = syllables.find(')', open);
        if (close == std::string_view::npos || close + 2 >= syllables.size()) break;
        const bool stressed = syllables[close + 2] != '0';
        std::istringstream names{std::string(syllables.substr(open + 2, close - open - 2))};
        std::string phone;
        while (names >> phone) {
            const bool vowel = english_consonant(phone) == nullptr;
            phones.push_back(vowel && stressed ? phone + kStressed : phone);
            if (phone == "er") phones.emplace_back("r");
        }
        open = close;
    }
    return phones;
}

// Every skeleton of a pronunciation: "ng" is the nasal, with or without the g
// that Gurmukhi writes after it.
void english_skeletons(const std::vector<std::string>& phones, std::size_t from, std::string key,
                       std::vector<std::string>& keys) {
    for (std::size_t i = from; i < phones.size(); ++i) {
        const EnglishConsonant* consonant = english_consonant(phones[i]);
        if (consonant == nullptr || is_weak(consonant->key)) continue;
        key += consonant->key;
        if (phones[i] == "ng") english_skeletons(phones, i + 1, key + 'g', keys);
    }
    keys.push_back(key);
}

// ---------------------------------------------------------------------------
// Alignment of a reading with a pronunciation.

using Phones = std::vector<std::string>;

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
        if (english.size() != 1 || std::ranges::find(kInherentVowels, base(english.front())) == kInherentVowels.end()) {
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

// Where the inherent "a" of each consonant lies in the romanized word: the
// Roman text of the word up to that consonant ends in it.
std::size_t inherent_a_at(const Reading& reading, const Consonant& consonant) {
    WordBuilder builder;
    for (std::size_t i = 0; i <= consonant.at; ++i) builder.add(reading.units[i]);
    builder.end(false);
    return builder.word().size() - 1;
}

// Which inherent "a"s the rules keep. The rules only take "a"s out of the
// romanized word, so the two texts side by side tell which went.
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

bool parse_line(std::string_view line, LoanwordFinder::Pronunciation& pronunciation) {
    if (!line.starts_with("(\"")) return false;
    const std::size_t end = line.find('"', 2);
    if (end == std::string_view::npos) return false;
    pronunciation.word = std::string(line.substr(2, end - 2));
    if (pronunciation.word.empty() ||
        !std::ranges::all_of(pronunciation.word, [](char letter) { return letter >= 'a' && letter <= 'z'; })) {
        return false;
    }
    const std::size_t phones = line.find("(((", end);
    if (phones == std::string_view::npos) return false;
    pronunciation.phones = split_phones(line.substr(phones + 1));
    return !pronunciation.phones.empty();
}

// The words of the list in lower case: common words, and names the list
// writes with a capital, such as countries.
std::unordered_set<std::string> common_words(std::string_view list) {
    std::unordered_set<std::string> words;
    std::istringstream lines{std::string(list)};
    std::string word;
    while (std::getline(lines, word)) {
        if (!word.empty() && word.front() >= 'A' && word.front() <= 'Z') {
            word.front() = static_cast<char>(word.front() - 'A' + 'a');
        }
        words.insert(word);
    }
    return words;
}

}  // namespace

const char* verdict_name(Verdict verdict) {
    constexpr std::array<const char*, kVerdicts> kNames{
        "entries",
        "not read: signs the reading does not know, or no consonant",
        "fewer than 3 consonants, or 3 without a sign of English spelling",
        "no English pronunciation fits",
        "readings disagree, none fits best",
        "3 consonants, and the dictionary confirms a native prefix, suffix or split",
        "the rules write it so already",
    };
    return kNames[static_cast<std::size_t>(verdict)];
}

LoanwordFinder::LoanwordFinder(std::string_view cmudict, std::string_view english_words) {
    const std::unordered_set<std::string> known = common_words(english_words);
    std::istringstream lines{std::string(cmudict)};
    std::string line;
    while (std::getline(lines, line)) {
        Pronunciation pronunciation;
        if (!parse_line(line, pronunciation) || !known.contains(pronunciation.word)) continue;
        std::vector<std::string> keys;
        english_skeletons(pronunciation.phones, 0, {}, keys);
        for (const std::string& key : keys) index_.emplace(key, pronunciations_.size());
        pronunciations_.push_back(std::move(pronunciation));
    }
}

Verdict LoanwordFinder::find(std::u16string_view word, const Dictionary& native, Loanword& entry) const {
    const std::optional<Reading> reading = read_word(word);
    if (!reading) return Verdict::not_parsed;
    const std::string key = skeleton(*reading);
    const std::size_t consonants = reading->consonants.size();
    const bool marked = reading->units.find_first_of(kEnglishMarks) != std::u16string::npos;
    if (key.size() < kMinConsonants || (consonants <= kMarkedConsonants && !marked)) return Verdict::few_consonants;

    const FinishedWord rules = finish_word(romanize_word(reading->units), native);
    // A short word the dictionary takes apart is native make-up; a long one
    // is often an English word that happens to split (prō + garām).
    if ((rules.prefix || rules.suffix || rules.split) && consonants <= kMarkedConsonants) return Verdict::native_affix;
    const std::vector<bool> rules_keep = kept_by_rules(*reading, rules.text);

    struct Candidate {
        std::u16string roman;
        int score;
        std::string english;
    };
    std::vector<Candidate> candidates;
    const auto [first, last] = index_.equal_range(key);
    for (auto it = first; it != last; ++it) {
        const Pronunciation& pronunciation = pronunciations_[it->second];
        Aligner aligner{*reading, pronunciation.phones, {}};
        std::vector<Phones> gaps;
        aligner.align(0, 0, {}, gaps);
        for (const std::vector<Phones>& alignment : aligner.found) {
            if (auto fit = fit_alignment(*reading, alignment)) {
                break_final_cluster(*reading, *fit);
                candidates.push_back({written_roman(*reading, *fit, rules_keep), fit->score, pronunciation.word});
            }
        }
    }
    if (candidates.empty()) return Verdict::no_english;
    std::ranges::stable_sort(candidates, std::ranges::greater{}, &Candidate::score);
    const auto rival = std::ranges::find_if(candidates, [&](const Candidate& candidate) {
        return candidate.score == candidates.front().score && candidate.roman != candidates.front().roman;
    });
    if (rival != candidates.end()) return Verdict::ambiguous;

    if (rules.text == candidates.front().roman) return Verdict::same_as_rules;
    entry = {reading->units, candidates.front().roman, rules.text, candidates.front().english};
    return Verdict::entry;
}

}  // namespace taviro::loanwords
