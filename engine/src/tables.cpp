// The romanization scheme as constant data, in the order the searches try it.
//
//  - kCharacterMap: one row for each Gurmukhi character with a Roman text. The
//    addak stands for the doubling marker and iri and ura for the marker of
//    no conversion; the rules act on those markers.
//  - kPrefixes, kSuffixes: the affixes that word finishing sets aside when the
//    dictionary confirms the rest. The first match wins, so the order is the
//    rule: neither alphabetical nor by length.
//  - kNuktaLetters: the letters that a base letter and the nukta make: the six
//    precomposed ones, and ੜ, which older texts write as ਡ with the nukta.
//  - kCarriedVowels: the vowel letters that iri and ura make with a vowel
//    sign, as real web text writes them (ੲ + ੀ for ਈ).
//
// Every non-ASCII letter is one precomposed code unit (ā is U+0101, never a + a
// combining macron), so a letter is always one position for the rules.
//
// Deliberate oddities, kept because the order of the lists is the rule:
//  - "nih" stands twice among the prefixes (27 and 34) and "ak" twice among the
//    suffixes (3 and 9). The second entry can never match, since the first
//    always wins; it stays so that every index keeps its place.
//  - The two dandas are the first rows of the map but lie outside the Gurmukhi
//    block, so find_map_row() looks them up outside the direct index.

#include <algorithm>
#include <string>

#include "taviro/dandas.h"
#include "taviro/gurmukhi.h"
#include "taviro/roman_vowels.h"
#include "taviro/tables.h"

namespace taviro {
namespace {

// One line a class of letters, in the order of their code points, each row
// its code point and its Roman text (ṁ ā ī ū ē ō ṅ ñ ṭ ḍ ṇ ḷ ḵẖ ġ ṛ as marked).
constexpr std::array<MapRow, kMapRows> kCharacterMap{{
    {kDanda, kDandaText}, {kDoubleDanda, kDoubleDandaText},
    {u'\u0A02', u"\u1E41"}, {u'\u0A03', u":"},  // bindi, visarga
    // independent vowels
    {u'\u0A05', u"a"}, {u'\u0A06', u"\u0101"}, {u'\u0A07', u"i"}, {u'\u0A08', u"\u012B"}, {u'\u0A09', u"u"},
    {u'\u0A0A', u"\u016B"}, {u'\u0A0F', u"\u0113"}, {u'\u0A10', u"ai"}, {u'\u0A13', u"\u014D"}, {u'\u0A14', u"au"},
    // consonants: velar, palatal, retroflex, dental, labial, and the rest
    {u'\u0A15', u"ka"}, {u'\u0A16', u"kha"}, {u'\u0A17', u"ga"}, {u'\u0A18', u"gha"}, {u'\u0A19', u"\u1E45a"},
    {u'\u0A1A', u"ca"}, {u'\u0A1B', u"cha"}, {u'\u0A1C', u"ja"}, {u'\u0A1D', u"jha"}, {u'\u0A1E', u"\u00F1a"},
    {u'\u0A1F', u"\u1E6Da"}, {u'\u0A20', u"\u1E6Dha"}, {u'\u0A21', u"\u1E0Da"}, {u'\u0A22', u"\u1E0Dha"},
    {u'\u0A23', u"\u1E47a"},
    {u'\u0A24', u"ta"}, {u'\u0A25', u"tha"}, {u'\u0A26', u"da"}, {u'\u0A27', u"dha"}, {u'\u0A28', u"na"},
    {u'\u0A2A', u"pa"}, {u'\u0A2B', u"pha"}, {u'\u0A2C', u"ba"}, {u'\u0A2D', u"bha"}, {u'\u0A2E', u"ma"},
    {u'\u0A2F', u"ya"}, {u'\u0A30', u"ra"}, {u'\u0A32', u"la"}, {u'\u0A33', u"\u1E37a"}, {u'\u0A35', u"va"},
    {u'\u0A36', u"sha"}, {u'\u0A38', u"sa"}, {u'\u0A39', u"ha"},
    // vowel signs
    {u'\u0A3E', u"\u0101"}, {u'\u0A3F', u"i"}, {u'\u0A40', u"\u012B"}, {u'\u0A41', u"u"}, {u'\u0A42', u"\u016B"},
    {u'\u0A47', u"\u0113"}, {u'\u0A48', u"ai"}, {u'\u0A4B', u"\u014D"}, {u'\u0A4C', u"au"},
    // consonants with a nukta of their own: ḵẖa, ġa, za, ṛa, fa
    {u'\u0A59', u"\u1E35\u1E96a"}, {u'\u0A5A', u"\u0121a"}, {u'\u0A5B', u"za"}, {u'\u0A5C', u"\u1E5Ba"},
    {u'\u0A5E', u"fa"},
    // digits
    {u'\u0A66', u"0"}, {u'\u0A67', u"1"}, {u'\u0A68', u"2"}, {u'\u0A69', u"3"}, {u'\u0A6A', u"4"},
    {u'\u0A6B', u"5"}, {u'\u0A6C', u"6"}, {u'\u0A6D', u"7"}, {u'\u0A6E', u"8"}, {u'\u0A6F', u"9"},
    // tippi, addak, iri, ura, ek onkar (ik-ōṅkār)
    {kTippi, std::u16string_view(&kNasalMark, 1)}, {kAddak, kDoublingMarker}, {kIri, kNoConversionMarker},
    {kUra, kNoConversionMarker}, {u'\u0A74', u"ik-\u014D\u1E45k\u0101r"},
}};

constexpr std::array<std::u16string_view, kPrefixCount> kPrefixes{
    u"up",          // 0
    u"ut",          // 1
    u"anu",         // 2
    u"ati",         // 3
    u"ap",          // 4
    u"an",          // 5
    u"abhi",        // 6
    u"a\u1E47",     // 7: aṇ
    u"\u0101",      // 8: ā
    u"au",          // 9
    u"a",           // 10
    u"svai",        // 11
    u"sa\u1E43",    // 12: saṃ
    u"sa\u1E45",    // 13: saṅ
    u"sa\u00F1",    // 14: sañ
    u"sa\u1E47",    // 15: saṇ
    u"san",         // 16
    u"sam",         // 17
    u"su",          // 18
    u"sahi",        // 19
    u"sa",          // 20
    u"kam",         // 21
    u"ku",          // 22
    u"ka",          // 23
    u"\u0121air",   // 24: ġair
    u"dur",         // 25
    u"nir",         // 26
    u"nih",         // 27
    u"ni",          // 28
    u"n\u0101",     // 29: nā
    u"prat\u012B",  // 30: pratī
    u"pra",         // 31
    u"pari",        // 32
    u"pa\u1E5B",    // 33: paṛ
    u"nih",         // 34
    u"par",         // 35
    u"bad",         // 36
    u"be",          // 37
    u"bahu",        // 38
    u"vi",          // 39
    u"mah\u0101",   // 40: mahā
};

constexpr std::array<std::u16string_view, kSuffixCount> kSuffixes{
    u"\u016B",                  // 0: ū
    u"\u0101l\u016B",           // 1: ālū
    u"\u0101n\u0101",           // 2: ānā
    u"ak",                      // 3
    u"\u012B\u0101",            // 4: īā
    u"ik",                      // 5
    u"h\u0101r",                // 6: hār
    u"k\u0101r\u012B",          // 7: kārī
    u"k\u0101r\u0101",          // 8: kārā
    u"ak",                      // 9
    u"kh\u014Dr",               // 10: khōr
    u"g\u0101r\u0101",          // 11: gārā
    u"g\u012B",                 // 12: gī
    u"ta\u1E47",                // 13: taṇ
    u"t\u0101",                 // 14: tā
    u"d\u0101ik",               // 15: dāik
    u"d\u0101r",                // 16: dār
    u"d\u0101n",                // 17: dān
    u"n\u0101k",                // 18: nāk
    u"pa\u1E47",                // 19: paṇ
    u"m\u0101n",                // 20: mān
    u"ma\u012B",                // 21: maī
    u"mand",                    // 22
    u"am",                      // 23
    u"r\u0101",                 // 24: rā
    u"ar",                      // 25
    u"l\u0101",                 // 26: lā
    u"a\u1E37",                 // 27: aḷ
    u"v\u0101n",                // 28: vān
    u"vant",                    // 29
    u"v\u0101\u1E43",           // 30: vāṃ
    u"sh\u012Bl",               // 31: shīl
    u"sh\u0101l\u012B",         // 32: shālī
    u"\u1E5B\u0101",            // 33: ṛā
    u"a\u1E5B",                 // 34: aṛ
};

// A base letter and the sign after it that make one letter.
struct ComposedPair {
    char16_t base;
    char16_t composed;
};
constexpr std::array<ComposedPair, 7> kNuktaLetters{{
    {u'\u0A32', u'\u0A33'},  // la -> lla
    {u'\u0A38', u'\u0A36'},  // sa -> sha
    {u'\u0A16', u'\u0A59'},  // kha -> khha
    {u'\u0A17', u'\u0A5A'},  // ga -> ghha
    {u'\u0A1C', u'\u0A5B'},  // ja -> za
    {u'\u0A2B', u'\u0A5E'},  // pha -> fa
    {u'\u0A21', u'\u0A5C'},  // dda -> rra, as older texts write it
}};

// Iri carries the short "i" and ura the short "u"; a vowel sign after either
// gives its own vowel instead, as after any letter. Alone, each is its short
// vowel's letter.
struct CarriedVowel {
    char16_t sign;   // the vowel sign after iri or ura; 0 for the carrier alone
    char16_t iri;    // the vowel letter iri and the sign make
    char16_t ura;    // the vowel letter ura and the sign make
};
constexpr std::array<CarriedVowel, 10> kCarriedVowels{{
    {0, u'\u0A07', u'\u0A09'},         // alone: i, u
    {u'\u0A3E', u'\u0A06', u'\u0A06'},  // ā
    {u'\u0A3F', u'\u0A07', u'\u0A07'},  // i
    {u'\u0A40', u'\u0A08', u'\u0A08'},  // ī
    {u'\u0A41', u'\u0A09', u'\u0A09'},  // u
    {u'\u0A42', u'\u0A0A', u'\u0A0A'},  // ū
    {u'\u0A47', u'\u0A0F', u'\u0A0F'},  // ē
    {u'\u0A48', u'\u0A10', u'\u0A10'},  // ai
    {u'\u0A4B', u'\u0A13', u'\u0A13'},  // ō
    {u'\u0A4C', u'\u0A14', u'\u0A14'},  // au
}};

// Direct index over the Gurmukhi block; the map's rows are unique, so the row
// found here is the one the first-match scan would find.
constexpr std::array<std::uint8_t, kGurmukhiBlockSize> build_block_index() {
    std::array<std::uint8_t, kGurmukhiBlockSize> index{};
    index.fill(static_cast<std::uint8_t>(kMapRows));
    for (std::size_t row = kMapRows; row-- > 0;) {
        const char16_t cp = kCharacterMap[row].code_point;
        if (in_gurmukhi_block(cp)) {
            index[cp - kGurmukhiBlockStart] = static_cast<std::uint8_t>(row);
        }
    }
    return index;
}
constexpr auto kBlockIndex = build_block_index();

}  // namespace

const std::array<MapRow, kMapRows>& character_map() { return kCharacterMap; }

const std::array<MapRow, kMapRows>& shown_character_map() {
    static const std::array<MapRow, kMapRows> shown = [] {
        // The texts live as long as the table: "i" and "u" with their mark.
        static const std::u16string iri_reading =
            std::u16string(kCharacterMap[find_map_row(carried_vowel(kIri, 0))].roman) +
            std::u16string(kTableMarks[2].mark);
        static const std::u16string ura_reading =
            std::u16string(kCharacterMap[find_map_row(carried_vowel(kUra, 0))].roman) +
            std::u16string(kTableMarks[2].mark);
        std::array<MapRow, kMapRows> rows = kCharacterMap;
        rows[find_map_row(kBindi)].roman = kCharacterMap[find_map_row(kTippi)].roman;
        rows[find_map_row(kIri)].roman = iri_reading;
        rows[find_map_row(kUra)].roman = ura_reading;
        return rows;
    }();
    return shown;
}

bool shows_mark(std::u16string_view text, const TableMark& mark) {
    return text == mark.marker || text.ends_with(mark.mark);
}

bool table_shows(const TableMark& mark) {
    const auto& rows = shown_character_map();
    return std::any_of(rows.begin(), rows.end(), [&](const MapRow& row) { return shows_mark(row.roman, mark); });
}
const std::array<std::u16string_view, kPrefixCount>& prefix_list() { return kPrefixes; }
const std::array<std::u16string_view, kSuffixCount>& suffix_list() { return kSuffixes; }

std::size_t find_map_row(char16_t code_point) {
    if (in_gurmukhi_block(code_point)) {
        return kBlockIndex[code_point - kGurmukhiBlockStart];
    }
    if (code_point == kCharacterMap[0].code_point) return 0;
    if (code_point == kCharacterMap[1].code_point) return 1;
    return kMapRows;
}

std::size_t find_prefix(std::u16string_view word) {
    const auto it = std::find_if(kPrefixes.begin(), kPrefixes.end(),
                                 [word](std::u16string_view prefix) { return word.starts_with(prefix); });
    return static_cast<std::size_t>(it - kPrefixes.begin());
}

std::size_t find_suffix(std::u16string_view word) {
    const auto it = std::find_if(kSuffixes.begin(), kSuffixes.end(), [word](std::u16string_view suffix) {
        return word.size() > suffix.size() && word.ends_with(suffix);
    });
    return static_cast<std::size_t>(it - kSuffixes.begin());
}

char16_t compose_nukta(char16_t base) {
    for (const ComposedPair& pair : kNuktaLetters) {
        if (pair.base == base) return pair.composed;
    }
    return 0;
}

bool has_nukta(char16_t letter) {
    return std::any_of(kNuktaLetters.begin(), kNuktaLetters.end(),
                       [letter](const ComposedPair& pair) { return pair.composed == letter; });
}

char16_t carried_vowel(char16_t carrier, char16_t sign) {
    if (carrier != kIri && carrier != kUra) return 0;
    for (const CarriedVowel& vowel : kCarriedVowels) {
        if (vowel.sign == sign) return carrier == kIri ? vowel.iri : vowel.ura;
    }
    return 0;
}

}  // namespace taviro
