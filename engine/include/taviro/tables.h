// The romanization scheme as data: the character map, the prefixes and the
// suffixes, and their searches. Searches run from index 0 upward and the first
// match wins; one past the last index (kMapRows, kPrefixCount, kSuffixCount)
// means nothing matched. The rows themselves, with their oddities, are in
// src/tables.cpp.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace taviro {

struct MapRow {
    char16_t code_point;
    std::u16string_view roman;
};

inline constexpr std::size_t kMapRows = 76;
inline constexpr std::size_t kPrefixCount = 41;
inline constexpr std::size_t kSuffixCount = 35;

inline constexpr std::u16string_view kDoublingMarker = u"[Doubles the following character]";
inline constexpr std::u16string_view kNoConversionMarker = u"[No Conversion Available]";

// A table of the map (the desktop's picture, the page's table) shows a short
// mark in a marker's place and says below what each mark stands for, in this
// order. Both tables take their marks from here.
struct TableMark {
    std::u16string_view mark;
    std::u16string_view marker;
};
// Said of a row whose reading what follows it can change.
inline constexpr std::u16string_view kCarrierReading = u"with a vowel sign after it, the vowel of that sign";
inline constexpr std::array<TableMark, 3> kTableMarks{{
    {u"*", kNoConversionMarker},
    {u"\u2020", kDoublingMarker},  // dagger
    {u"\u2021", kCarrierReading},  // double dagger
}};

const std::array<MapRow, kMapRows>& character_map();
// The map as a table shows it: each row's text as a conversion writes the
// character alone. Real text's readings change a few rows: bindi is read as
// tippi, and iri and ura as the vowels they carry, marked so after their text
// (see kCarrierReading), since a vowel sign after them makes another.
const std::array<MapRow, kMapRows>& shown_character_map();
// Whether `text`, a shown row's text, ends in a table mark's `mark`.
bool shows_mark(std::u16string_view text, const TableMark& mark);
// Whether a row of the shown map shows `mark`: a table's notes tell only those.
bool table_shows(const TableMark& mark);
const std::array<std::u16string_view, kPrefixCount>& prefix_list();
const std::array<std::u16string_view, kSuffixCount>& suffix_list();

// Row of the character map holding `code_point`, or kMapRows when none does.
std::size_t find_map_row(char16_t code_point);
// Index of the first prefix that `word` begins with (an entry equal to the whole
// word counts), or kPrefixCount.
std::size_t find_prefix(std::u16string_view word);
// Index of the first suffix that `word` ends with while being strictly longer than
// it, or kSuffixCount.
std::size_t find_suffix(std::u16string_view word);

// The letter for `base` followed by the nukta (ਸ + ◌਼ -> ਸ਼, and ਡ + ◌਼ -> ੜ as
// older texts write it), or 0 when `base` takes no nukta.
char16_t compose_nukta(char16_t base);
// Whether `letter` is one of the letters compose_nukta() makes.
bool has_nukta(char16_t letter);
// The vowel letter that iri or ura (`carrier`) makes with the vowel sign
// `sign` after it (ੲ + ੀ -> ਈ), or with 0 for the carrier alone (ੲ -> ਇ);
// 0 when `carrier` is neither or `sign` is no vowel sign.
char16_t carried_vowel(char16_t carrier, char16_t sign);

}  // namespace taviro
