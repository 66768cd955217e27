#include "taviro/plain_letters.h"

#include <algorithm>
#include <array>
#include <vector>

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
constexpr std::u16string_view kVowels = u"a\u0101i\u012Bu\u016B\u0113\u014Deo";
constexpr char16_t kTippi = u'\u1E43';  // ṃ: tippi and bindi

// What plain letters write for each marked letter, where no rule below
// decides otherwise (typists write ṛ as d, ਅਖਾੜਾ akhada, and ph as f), and
// for each character that is no Roman letter but has an ASCII text of its
// own: typographic punctuation and spaces, and the double danda.
struct PlainLetter {
    std::u16string_view marked;
    std::u16string_view plain;
};
constexpr std::array<PlainLetter, 52> kPlainLetters{{
    {u"\u0101", u"a"},   {u"\u012B", u"i"},   {u"\u016B", u"u"},       {u"\u0113", u"e"},   {u"\u014D", u"o"},
    {u"\u1E6D", u"t"},   {u"\u1E0D", u"d"},   {u"\u1E47", u"n"},       {u"\u1E5B", u"d"},   {u"\u00F1", u"n"},
    {u"\u1E45", u"n"},   {u"\u1E43", u"n"},   {u"\u1E37", u"l"},       {u"\u0121", u"g"},   {u"c", u"ch"},
    {u"ch", u"chh"},     {u"ph", u"f"},       {u"\u1E35\u1E96", u"kh"}, {u"\u1E6Dh", u"th"}, {u"\u1E0Dh", u"dh"},
    {u"\u1E5Bh", u"rh"}, {u"\u015B", u"sh"},  {u"\u1E35", u"k"},       {u"\u1E96", u"h"},
    {u"\u00A0", u" "},   {u"\u00AB", u"\""},  {u"\u00AD", u""},        {u"\u00B4", u"'"},   {u"\u00B7", u"."},
    {u"\u00BB", u"\""},  {u"\u02C8", u"'"},   {u"\u0965", u".."},      {u"\u200B", u""},    {u"\u200C", u""},
    {u"\u200D", u""},    {u"\u2010", u"-"},   {u"\u2011", u"-"},       {u"\u2012", u"-"},   {u"\u2013", u"-"},
    {u"\u2014", u"-"},   {u"\u2015", u"-"},   {u"\u2018", u"'"},       {u"\u2019", u"'"},   {u"\u201A", u"'"},
    {u"\u201C", u"\""},  {u"\u201D", u"\""},  {u"\u201E", u"\""},      {u"\u2022", u"*"},   {u"\u2026", u"..."},
    {u"\u2060", u""},    {u"\u2212", u"-"},   {u"\uFEFF", u""},
}};
// U+00C0 to U+00FF, two letters each, a blank where one is enough.
constexpr std::u16string_view kLatin1Letters =
    u"A A A A A A AEC E E E E I I I I D N O O O O O x O U U U U Y Thss"
    u"a a a a a a aec e e e e i i i i d n o o o o o / o u u u u y thy ";

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
        } else if (holds(kVowels, unit)) {
            kind = Kind::vowel;
            if (unit == u'a' && (next == u'i' || next == u'u')) length = 2;
        } else if (unit == kTippi) {
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
    for (const PlainLetter& letter : kPlainLetters) {
        if (letter.marked == marked) return letter.plain;
    }
    return marked;
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
    if (token.size() == 1 && token[0] == kTippi) {
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
        } else if (unit >= 0xC0 && unit <= 0xFF) {
            const std::u16string_view letters = kLatin1Letters.substr(2 * (unit - 0xC0), 2);
            plain += letters.substr(0, letters[1] == u' ' ? 1 : 2);
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

std::string_view scheme_name(Scheme scheme) noexcept { return scheme == Scheme::ascii ? "ascii" : "marks"; }

// In any case, as encodings' names are read: ASCII is ascii.
std::optional<Scheme> scheme_named(std::string_view name) noexcept {
    for (const Scheme scheme : {Scheme::marks, Scheme::ascii}) {
        const std::string_view known = scheme_name(scheme);
        const auto same = [](char a, char b) { return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) == b; };
        if (name.size() == known.size() && std::equal(name.begin(), name.end(), known.begin(), same)) return scheme;
    }
    return std::nullopt;
}

std::string unknown_scheme(std::string_view quoted_name, std::string_view setting) {
    std::string problem = "unknown scheme ";
    problem.append(quoted_name).append(" for ").append(setting).append(" (marks, ascii)");
    return problem;
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
