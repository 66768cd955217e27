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
inline constexpr std::array<TableMark, 2> kTableMarks{{
    {u"*", kNoConversionMarker},
    {u"\u2020", kDoublingMarker},  // dagger
}};

const std::array<MapRow, kMapRows>& character_map();
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

// The precomposed letter for `base` followed by the nukta (ਸ + ◌਼ -> ਸ਼), or 0 when
// `base` has no precomposed nukta form in the map.
char16_t compose_nukta(char16_t base);
// Whether `letter` is one of those precomposed nukta letters.
bool has_nukta(char16_t letter);

}  // namespace taviro
