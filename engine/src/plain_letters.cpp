#include "taviro/plain_letters.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "taviro/dandas.h"
#include "taviro/roman_vowels.h"

namespace taviro {
namespace {

enum class Kind : std::uint8_t { consonant, vowel, nasal, other };

struct Token {
    std::u16string_view text;
    Kind kind;
};

// The consonants of the Roman text: the marked ones, and the plain letters
// that a lexicon's entry may hold.
constexpr std::u16string_view kConsonants = u"bcdfghjklmnpqrstvwxyz\u1E45\u00F1\u1E6D\u1E0D\u1E47\u1E5B\u1E37\u0121\u1E35\u1E96\u015B";
// Those whose aspirate is written with an "h" after them: kh, ṭh, ph …
constexpr std::u16string_view kAspirated = u"kgcj\u1E6D\u1E0Dtdpbs\u1E5B";

// What plain letters write for each marked letter, where no rule below
// decides otherwise (typists write ṛ as d and ph as f), for each Latin-1
// letter, and for each character that is no Roman letter but has an ASCII
// text of its own: typographic punctuation and spaces, and the double danda.
// One row a text, in the order of their code units, so that a text is found
// by halving the table.
struct PlainLetter {
    std::u16string_view marked;
    std::u16string_view plain;
};
constexpr auto kPlainLetters = std::to_array<PlainLetter>({
    {u"c", u"ch"},  // c
    {u"ch", u"chh"},  // ch
    {u"ph", u"f"},  // ph: typed as f
    {u"\u00A0", u" "},  // no-break space
    {u"\u00AB", u"\""},  // «
    {u"\u00AD", u""},  // soft hyphen
    {u"\u00B4", u"'"},  // acute accent
    {u"\u00B7", u"."},  // middle dot
    {u"\u00BB", u"\""},  // »
    {u"\u00C0", u"A"},  // À
    {u"\u00C1", u"A"},  // Á
    {u"\u00C2", u"A"},  // Â
    {u"\u00C3", u"A"},  // Ã
    {u"\u00C4", u"A"},  // Ä
    {u"\u00C5", u"A"},  // Å
    {u"\u00C6", u"AE"},  // Æ
    {u"\u00C7", u"C"},  // Ç
    {u"\u00C8", u"E"},  // È
    {u"\u00C9", u"E"},  // É
    {u"\u00CA", u"E"},  // Ê
    {u"\u00CB", u"E"},  // Ë
    {u"\u00CC", u"I"},  // Ì
    {u"\u00CD", u"I"},  // Í
    {u"\u00CE", u"I"},  // Î
    {u"\u00CF", u"I"},  // Ï
    {u"\u00D0", u"D"},  // Ð
    {u"\u00D1", u"N"},  // Ñ
    {u"\u00D2", u"O"},  // Ò
    {u"\u00D3", u"O"},  // Ó
    {u"\u00D4", u"O"},  // Ô
    {u"\u00D5", u"O"},  // Õ
    {u"\u00D6", u"O"},  // Ö
    {u"\u00D7", u"x"},  // ×
    {u"\u00D8", u"O"},  // Ø
    {u"\u00D9", u"U"},  // Ù
    {u"\u00DA", u"U"},  // Ú
    {u"\u00DB", u"U"},  // Û
    {u"\u00DC", u"U"},  // Ü
    {u"\u00DD", u"Y"},  // Ý
    {u"\u00DE", u"Th"},  // Þ
    {u"\u00DF", u"ss"},  // ß
    {u"\u00E0", u"a"},  // à
    {u"\u00E1", u"a"},  // á
    {u"\u00E2", u"a"},  // â
    {u"\u00E3", u"a"},  // ã
    {u"\u00E4", u"a"},  // ä
    {u"\u00E5", u"a"},  // å
    {u"\u00E6", u"ae"},  // æ
    {u"\u00E7", u"c"},  // ç
    {u"\u00E8", u"e"},  // è
    {u"\u00E9", u"e"},  // é
    {u"\u00EA", u"e"},  // ê
    {u"\u00EB", u"e"},  // ë
    {u"\u00EC", u"i"},  // ì
    {u"\u00ED", u"i"},  // í
    {u"\u00EE", u"i"},  // î
    {u"\u00EF", u"i"},  // ï
    {u"\u00F0", u"d"},  // ð
    {u"\u00F1", u"n"},  // ñ
    {u"\u00F2", u"o"},  // ò
    {u"\u00F3", u"o"},  // ó
    {u"\u00F4", u"o"},  // ô
    {u"\u00F5", u"o"},  // õ
    {u"\u00F6", u"o"},  // ö
    {u"\u00F7", u"/"},  // ÷
    {u"\u00F8", u"o"},  // ø
    {u"\u00F9", u"u"},  // ù
    {u"\u00FA", u"u"},  // ú
    {u"\u00FB", u"u"},  // û
    {u"\u00FC", u"u"},  // ü
    {u"\u00FD", u"y"},  // ý
    {u"\u00FE", u"th"},  // þ
    {u"\u00FF", u"y"},  // ÿ
    {u"\u0101", u"a"},  // ā
    {u"\u0113", u"e"},  // ē
    {u"\u0121", u"g"},  // ġ
    {u"\u012B", u"i"},  // ī
    {u"\u014D", u"o"},  // ō
    {u"\u015B", u"sh"},  // ś
    {u"\u016B", u"u"},  // ū
    {u"\u02C8", u"'"},  // stress mark
    {std::u16string_view(&kDoubleDanda, 1), kDoubleDandaText},  // the double danda
    {u"\u1E0D", u"d"},  // ḍ
    {u"\u1E0Dh", u"dh"},  // ḍh
    {u"\u1E35", u"k"},  // ḵ
    {u"\u1E35\u1E96", u"kh"},  // ḵẖ
    {u"\u1E37", u"l"},  // ḷ
    {u"\u1E43", u"n"},  // ṃ
    {u"\u1E45", u"n"},  // ṅ
    {u"\u1E47", u"n"},  // ṇ
    {u"\u1E5B", u"d"},  // ṛ: typed as d, ਅਖਾੜਾ akhada
    {u"\u1E5Bh", u"rh"},  // ṛh
    {u"\u1E6D", u"t"},  // ṭ
    {u"\u1E6Dh", u"th"},  // ṭh
    {u"\u1E96", u"h"},  // ẖ
    {u"\u200B", u""},  // zero width space
    {u"\u200C", u""},  // zero width non-joiner
    {u"\u200D", u""},  // zero width joiner
    {u"\u2010", u"-"},  // hyphen
    {u"\u2011", u"-"},  // non-breaking hyphen
    {u"\u2012", u"-"},  // figure dash
    {u"\u2013", u"-"},  // en dash
    {u"\u2014", u"-"},  // em dash
    {u"\u2015", u"-"},  // horizontal bar
    {u"\u2018", u"'"},  // ‘
    {u"\u2019", u"'"},  // ’
    {u"\u201A", u"'"},  // ‚
    {u"\u201C", u"\""},  // “
    {u"\u201D", u"\""},  // ”
    {u"\u201E", u"\""},  // „
    {u"\u2022", u"*"},  // bullet
    {u"\u2026", u"..."},  // ellipsis
    {u"\u2060", u""},  // word joiner
    {u"\u2212", u"-"},  // minus sign
    {u"\uFEFF", u""},  // zero width no-break space
});
constexpr bool comes_before(const PlainLetter& row, std::u16string_view text) { return row.marked < text; }
static_assert(std::is_sorted(kPlainLetters.begin(), kPlainLetters.end(),
                             [](const PlainLetter& a, const PlainLetter& b) { return comes_before(a, b.marked); }));

bool holds(std::u16string_view set, char16_t unit) { return set.find(unit) != std::u16string_view::npos; }

std::vector<Token> tokens_of(std::u16string_view text) {
    std::vector<Token> tokens;
    for (std::size_t at = 0; at < text.size();) {
        const char16_t unit = text[at];
        const char16_t next = at + 1 < text.size() ? text[at + 1] : 0;
        std::size_t length = 1;
        Kind kind = Kind::other;
        if (holds(kConsonants, unit)) {
            kind = Kind::consonant;
            if ((next == u'h' && holds(kAspirated, unit)) || (unit == u'\u1E35' && next == u'\u1E96')) length = 2;
        } else if (is_roman_vowel(unit)) {
            kind = Kind::vowel;
            if (unit == u'a' && (next == u'i' || next == u'u')) length = 2;
        } else if (unit == kNasalMark) {
            kind = Kind::nasal;
        }
        tokens.push_back({text.substr(at, length), kind});
        at += length;
    }
    return tokens;
}

bool is(const std::vector<Token>& tokens, std::size_t at, Kind kind) {
    return at < tokens.size() && tokens[at].kind == kind;
}
bool is(const std::vector<Token>& tokens, std::size_t at, std::u16string_view text) {
    return at < tokens.size() && tokens[at].text == text;
}
bool is_any(const std::vector<Token>& tokens, std::size_t at, std::initializer_list<std::u16string_view> texts) {
    return std::any_of(texts.begin(), texts.end(), [&](std::u16string_view text) { return is(tokens, at, text); });
}

// Typists drop the "a" between two single consonants that have a vowel on
// either side (ਅਕਬਰ akabar → akbar, ਮਸਤਕ masatak → mastak), which the rules
// keep where the word is built from its syllables.
void drop_typed_schwas(std::vector<Token>& tokens) {
    for (std::size_t at = 2; at + 2 < tokens.size();) {
        if (is(tokens, at, u"a") && is(tokens, at - 1, Kind::consonant) && is(tokens, at - 2, Kind::vowel) &&
            is(tokens, at + 1, Kind::consonant) && is(tokens, at + 2, Kind::vowel)) {
            tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(at));
            at += 2;
        } else {
            ++at;
        }
    }
}

// A doubled consonant is typed once before its own aspirate (ਵੱਖ vakkh →
// vakh) and as one ch (ਵਿੱਚ vicc → vich); others stay doubled (ਪੱਕਾ pakka).
void drop_typed_doubling(std::vector<Token>& tokens) {
    std::vector<Token> kept;
    for (std::size_t at = 0; at < tokens.size(); ++at) {
        const Token& token = tokens[at];
        if (token.kind == Kind::consonant && at + 1 < tokens.size()) {
            const std::u16string_view next = tokens[at + 1].text;
            const bool aspirate = next.size() == 2 && next[1] == u'h' && next[0] == token.text[0] && token.text.size() == 1;
            const bool doubled_c = token.text == u"c" && (next == u"c" || next == u"ch");
            if (aspirate || doubled_c) continue;
        }
        kept.push_back(token);
    }
    tokens = std::move(kept);
}

std::u16string_view mapped(std::u16string_view marked) {
    const auto* row = std::lower_bound(kPlainLetters.begin(), kPlainLetters.end(), marked, comes_before);
    return row != kPlainLetters.end() && row->marked == marked ? row->plain : marked;
}

// ਵਾਲਾ and its forms, alone or ending a word (ਪਿੰਡਵਾਲਾ, ਕਰਨ ਵਾਲੇ), are typed
// with a w, as the word is written in Roman everywhere: vāl and nothing but
// vowels and a nasal to the word's end; a doubled v doubles the w (ਕੱਵਾਲੀ
// kawwali). ਵਾਲ alone, the hair, keeps its v.
bool is_wala(const std::vector<Token>& tokens, std::size_t at) {
    if (!is(tokens, at + 1, u"\u0101") || !is(tokens, at + 2, u"l") || !is(tokens, at + 3, Kind::vowel)) return false;
    return std::all_of(tokens.begin() + static_cast<std::ptrdiff_t>(at + 3), tokens.end(),
                       [](const Token& token) { return token.kind == Kind::vowel || token.kind == Kind::nasal; });
}

// The letters of token `at`, by the tokens around it.
std::u16string_view plain_token(const std::vector<Token>& tokens, std::size_t at, std::size_t vowels) {
    const std::u16string_view token = tokens[at].text;
    const bool before_consonant = is(tokens, at + 1, Kind::consonant);
    const bool at_end = at + 1 == tokens.size();
    const bool after_vowel = at > 0 && tokens[at - 1].kind == Kind::vowel;
    if (token == u"\u0101") {  // ā: "aa" where typists lengthen it, else "a"
        const bool after_i = at > 0 && (tokens[at - 1].text == u"i" || tokens[at - 1].text == u"\u012B");
        if (after_i || at == 0 || (vowels == 1 && before_consonant)) return u"aa";
        return u"a";
    }
    if ((token == u"\u012B" || token == u"\u016B") && vowels == 1 && before_consonant) {
        return token == u"\u012B" ? u"ee" : u"oo";  // ਰੂਪ roop, ਤੀਰ teer
    }
    if (token.size() == 1 && token[0] == kNasalMark) {
        if (is_any(tokens, at + 1, {u"p", u"b", u"m", u"ph", u"bh"})) return u"m";
        if (at_end && at > 0 && tokens[at - 1].text == u"\u016B") return u"";  // ਨੂੰ nu
        return u"n";
    }
    // A short vowel before h is typed open: ਇਹ eh, ਕਿਹਾ keha, ਉਹ oh.
    if (token == u"i" && is(tokens, at + 1, u"h") &&
        (at + 2 == tokens.size() || is(tokens, at + 2, Kind::consonant) ||
         is_any(tokens, at + 2, {u"i", u"\u012B", u"\u0101", u"\u0113"}))) {
        return u"e";
    }
    if (token == u"u" && is(tokens, at + 1, u"h") && (at + 2 == tokens.size() || is(tokens, at + 2, Kind::consonant))) {
        return u"o";
    }
    if (token == u"\u0113" && after_vowel) return u"ye";  // ਗਏ gaye, ਹੋਏ hoye
    if (token == u"v" && (is_wala(tokens, at) || (is(tokens, at + 1, u"v") && is_wala(tokens, at + 1)))) return u"w";
    return mapped(token);
}

void append_plain_symbols(std::u16string& plain, std::u16string_view text) {
    for (const char16_t unit : text) {
        if (unit < 0x80) {
            plain += unit;
        } else if (unit >= 0x0300 && unit <= 0x036F) {
            // a combining accent: the letter it sits on is enough
        } else {
            const std::u16string_view symbol(&unit, 1);
            const std::u16string_view written = mapped(symbol);
            plain += written == symbol ? u"?" : written;
        }
    }
}

}  // namespace

namespace {

// Every scheme with the name every face knows it by, in the order the faces list them.
struct SchemeName {
    Scheme scheme;
    std::string_view name;
};
constexpr auto kSchemeNames = std::to_array<SchemeName>({{Scheme::marks, "marks"}, {Scheme::ascii, "ascii"}});

}  // namespace

std::string_view scheme_name(Scheme scheme) noexcept {
    return std::find_if(kSchemeNames.begin(), kSchemeNames.end(), [scheme](const SchemeName& known) {
               return known.scheme == scheme;
           })->name;
}

// In any case, as encodings' names are read: ASCII is ascii.
std::optional<Scheme> scheme_named(std::string_view name) noexcept {
    const auto same = [](char a, char b) { return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) == b; };
    for (const SchemeName& known : kSchemeNames) {
        if (std::equal(name.begin(), name.end(), known.name.begin(), known.name.end(), same)) return known.scheme;
    }
    return std::nullopt;
}

std::string unknown_scheme(std::string_view quoted_name, std::string_view setting) {
    std::string problem = "unknown scheme ";
    problem.append(quoted_name).append(" for ").append(setting);
    std::string_view between = " (";
    for (const SchemeName& known : kSchemeNames) problem.append(std::exchange(between, ", ")).append(known.name);
    return problem + ")";
}

std::u16string plain_letters(std::u16string_view marked, bool as_written) {
    std::vector<Token> tokens = tokens_of(marked);
    if (!as_written) {
        drop_typed_schwas(tokens);
        drop_typed_doubling(tokens);
    }
    const auto vowels =
        static_cast<std::size_t>(std::count_if(tokens.begin(), tokens.end(), [](const Token& token) { return token.kind == Kind::vowel; }));
    std::u16string plain;
    plain.reserve(marked.size() + 4);
    for (std::size_t at = 0; at < tokens.size(); ++at) {
        // A writer's plain letters are their own: only the marked ones change.
        const std::u16string_view token = tokens[at].text;
        const bool plain_already = std::all_of(token.begin(), token.end(), [](char16_t unit) { return unit < 0x80; });
        const std::u16string_view letters =
            as_written ? (plain_already ? token : mapped(token)) : plain_token(tokens, at, vowels);
        append_plain_symbols(plain, letters);
    }
    return plain;
}

}  // namespace taviro
