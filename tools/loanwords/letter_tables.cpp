// The letter tables of the loanword finder.
//
// Source: the English side is the phone set of the CMU pronouncing dictionary
// as Debian's festlex-cmu writes it (/usr/share/festival/dicts/cmu/
// cmudict-0.4.out: lower-case phones, vowels with a stress digit on their
// syllable). Which of its pronunciations are used at all is chosen by the
// English words of Debian's wbritish; no row comes from it. The Gurmukhi side
// is how Punjabi writes English words, letter by letter.
//
//  - kConsonants: one row per Gurmukhi consonant, with its class key and the
//    English phones it may be written for.
//  - kEnglishConsonants: one row per English consonant phone, with its key.
//  - kVowelSigns: one row per Gurmukhi vowel, its sign, its independent letter
//    and its vowel letter.
//  - kEnglishVowels: one row per English vowel phone, with what it may be
//    written as, the likeliest first.
//  - kNeutralVowels: the English vowels an unwritten inherent "a" stands for.
//
// Deliberate deviations from plain phonetics:
//  - English t and d fit only the retroflex ਟ ਡ, as Punjabi writes English
//    words; the dental ਤ ਦ ਧ fit nothing, so native words that keep them never
//    pass for English. English dh (the th of "this") fits nothing either.
//  - The letters English words are not written with fit nothing and mark a
//    word as native: the voiced aspirates ਘ ਝ ਢ ਭ, ਖ ਛ ਠ, ਣ, ੜ and the
//    Persian ਖ਼ ਗ਼.
//  - ਫ is f, never an aspirated p; p and f share a key, as ਪ and ਫ do.
//  - English z, zh and jh are one class: ਜ is written for jh only, ਜ਼ for all
//    three.
//  - English s and sh both fit ਸ; ਸ਼ only sh.
//  - ਵ fits both v and w.
//  - A tippi before a consonant counts as a nasal consonant, for m, n or ng.
//  - English y, w and hh, the weak classes, are also vowels where they stand
//    between consonants: y and hh may go unwritten, w may not (ਸਕਿੰਟ is
//    second, not squint).
//  - An unwritten inherent "a" stands only for the neutral vowels ax, ah and
//    er; writers give the others their own signs.

#include "letter_tables.h"

#include <algorithm>

#include "taviro/gurmukhi.h"

namespace taviro::loanwords {
namespace {

constexpr std::string_view kWeakClasses = "yvh";

constexpr std::array<GurmukhiConsonant, 39> kConsonants{{
    {u'\u0A15', 'k', {"k"}},                 // ਕ
    {u'\u0A16', kNoEnglish, {}},             // ਖ
    {u'\u0A17', 'g', {"g"}},                 // ਗ
    {u'\u0A18', kNoEnglish, {}},             // ਘ
    {u'\u0A19', kNasal, {"ng"}},             // ਙ
    {u'\u0A1A', 'c', {"ch"}},                // ਚ
    {u'\u0A1B', kNoEnglish, {}},             // ਛ
    {u'\u0A1C', 'j', {"jh"}},                // ਜ
    {u'\u0A1D', kNoEnglish, {}},             // ਝ
    {u'\u0A1E', kNasal, {"n"}},              // ਞ
    {u'\u0A1F', 't', {"t"}},                 // ਟ
    {u'\u0A20', kNoEnglish, {}},             // ਠ
    {u'\u0A21', 'd', {"d"}},                 // ਡ
    {u'\u0A22', kNoEnglish, {}},             // ਢ
    {u'\u0A23', kNoEnglish, {}},             // ਣ
    {u'\u0A24', kNoEnglish, {}},             // ਤ
    {u'\u0A25', 'T', {"th"}},                // ਥ
    {u'\u0A26', kNoEnglish, {}},             // ਦ
    {u'\u0A27', kNoEnglish, {}},             // ਧ
    {u'\u0A28', kNasal, {"n"}},              // ਨ
    {u'\u0A2A', 'p', {"p"}},                 // ਪ
    {u'\u0A2B', 'p', {"f"}},                 // ਫ
    {u'\u0A2C', 'b', {"b"}},                 // ਬ
    {u'\u0A2D', kNoEnglish, {}},             // ਭ
    {u'\u0A2E', kNasal, {"m"}},              // ਮ
    {u'\u0A2F', 'y', {"y"}},                 // ਯ
    {u'\u0A30', 'r', {"r"}},                 // ਰ
    {u'\u0A32', 'l', {"l"}},                 // ਲ
    {u'\u0A35', 'v', {"v", "w"}},            // ਵ
    {u'\u0A38', 's', {"s", "sh"}},           // ਸ
    {u'\u0A39', 'h', {"hh"}},                // ਹ
    {u'\u0A5C', kNoEnglish, {}},             // ੜ
    {u'\u0A36', 's', {"sh"}},                // ਸ਼
    {u'\u0A59', kNoEnglish, {}},             // ਖ਼
    {u'\u0A5A', kNoEnglish, {}},             // ਗ਼
    {u'\u0A5B', 'j', {"z", "zh", "jh"}},     // ਜ਼
    {u'\u0A5E', 'p', {"f"}},                 // ਫ਼
    {u'\u0A33', 'l', {"l"}},                 // ਲ਼
    {kTippi, kNasal, {"m", "n", "ng"}},      // tippi before a consonant
}};

constexpr std::array<EnglishConsonant, 24> kEnglishConsonants{{
    {"k", 'k'},          // ਕ
    {"g", 'g'},          // ਗ
    {"m", kNasal},       // ਮ, tippi
    {"n", kNasal},       // ਨ ਞ, tippi
    {"ng", kNasal},      // ਙ, tippi
    {"ch", 'c'},         // ਚ
    {"jh", 'j'},         // ਜ ਜ਼
    {"z", 'j'},          // ਜ਼
    {"zh", 'j'},         // ਜ਼
    {"t", 't'},          // ਟ
    {"d", 'd'},          // ਡ
    {"th", 'T'},         // ਥ
    {"dh", kNoEnglish},  // nothing
    {"p", 'p'},          // ਪ
    {"f", 'p'},          // ਫ ਫ਼
    {"b", 'b'},          // ਬ
    {"r", 'r'},          // ਰ
    {"l", 'l'},          // ਲ ਲ਼
    {"s", 's'},          // ਸ
    {"sh", 's'},         // ਸ ਸ਼
    {"y", 'y'},          // ਯ
    {"w", 'v'},          // ਵ
    {"v", 'v'},          // ਵ
    {"hh", 'h'},         // ਹ
}};

struct VowelSign {
    char16_t sign;
    char16_t independent;
    char vowel;
};

constexpr char16_t kA = u'\u0A05';  // ਅ, the inherent vowel written out: vowel letter a

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

constexpr std::array<EnglishVowel, 19> kEnglishVowels{{
    {"aa", {"A", "o", "O"}},                 // father
    {"ae", {"E", "A"}},                      // cat
    {"ah", {"a"}},                           // cut
    {"ao", {"A", "o", "O"}},                 // caught
    {"aw", {"O", "AU", "Au", "A"}},          // cow
    {"ax", {"a", "A", "i", "u", "e", "o"}},  // about
    {"ay", {"AI", "Ai", "AE", "E"}},         // bite
    {"eh", {"E", "e"}},                      // bet
    {"er", {"a"}},                           // bird, its r apart
    {"ey", {"e", "E"}},                      // bait
    {"ih", {"i"}},                           // bit
    {"iy", {"I"}},                           // beat
    {"ow", {"o", "O"}},                      // boat
    {"oy", {"oI", "Ai", "AI", "oi"}},        // boy
    {"uh", {"u", "U"}},                      // book
    {"uw", {"U", "u", "iU"}},                // boot
    {"y", {"", "i", "I"}},                   // the y of cute
    {"w", {"u", "U", "o"}},                  // the w of quick
    {"hh", {""}},                            // the h of behind
}};

constexpr std::array<std::string_view, 3> kNeutralVowels{"ax", "ah", "er"};

}  // namespace

bool is_weak(char key) { return kWeakClasses.find(key) != std::string_view::npos; }

const GurmukhiConsonant* gurmukhi_consonant(char16_t letter) {
    const auto it = std::ranges::find(kConsonants, letter, &GurmukhiConsonant::letter);
    return it == kConsonants.end() ? nullptr : &*it;
}

const EnglishConsonant* english_consonant(std::string_view phone) {
    const auto it = std::ranges::find(kEnglishConsonants, phone, &EnglishConsonant::phone);
    return it == kEnglishConsonants.end() ? nullptr : &*it;
}

const EnglishVowel* english_vowel(std::string_view phone) {
    const auto it = std::ranges::find(kEnglishVowels, without_stress(phone), &EnglishVowel::phone);
    return it == kEnglishVowels.end() ? nullptr : &*it;
}

bool is_neutral_vowel(std::string_view phone) {
    return std::ranges::find(kNeutralVowels, without_stress(phone)) != kNeutralVowels.end();
}

std::optional<char> vowel_of_sign(char16_t unit) {
    const auto it = std::ranges::find(kVowelSigns, unit, &VowelSign::sign);
    return it == kVowelSigns.end() ? std::nullopt : std::optional<char>(it->vowel);
}

std::optional<char> vowel_of_letter(char16_t unit) {
    if (unit == kA) return 'a';
    const auto it = std::ranges::find(kVowelSigns, unit, &VowelSign::independent);
    return it == kVowelSigns.end() ? std::nullopt : std::optional<char>(it->vowel);
}

std::string_view without_stress(std::string_view phone) {
    return phone.ends_with(kStressed) ? phone.substr(0, phone.size() - 1) : phone;
}

bool is_stressed(std::string_view phone) { return phone.ends_with(kStressed); }

}  // namespace taviro::loanwords
