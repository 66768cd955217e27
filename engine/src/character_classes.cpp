#include "taviro/character_classes.h"

#include <algorithm>

namespace taviro {
namespace {

// The categories the table of ranges names: punctuation, spaces and
// separators, symbols, and format characters.
enum class GeneralCategory : std::uint8_t { Pc, Pd, Ps, Pe, Pi, Pf, Po, Zs, Zl, Zp, Sm, Sc, Sk, So, Cf };

struct CategoryRange {
    char32_t first;
    char32_t last;
    GeneralCategory category;
};

#include "general_categories.inc"

// One bit per code point below Words * 64, set for the chosen categories.
template <std::size_t Words>
constexpr std::array<std::uint64_t, Words> bits_of(bool (*chosen)(GeneralCategory)) {
    std::array<std::uint64_t, Words> bits{};
    for (const CategoryRange& range : kCategoryRanges) {
        if (!chosen(range.category)) continue;
        for (char32_t code_point = range.first; code_point <= range.last && code_point < Words * 64; ++code_point) {
            bits[code_point / 64] |= std::uint64_t{1} << (code_point % 64);
        }
    }
    return bits;
}

constexpr bool punctuation_space_or_symbol(GeneralCategory category) { return category != GeneralCategory::Cf; }
constexpr bool format(GeneralCategory category) { return category == GeneralCategory::Cf; }

static_assert(std::all_of(std::begin(kCategoryRanges), std::end(kCategoryRanges),
                          [](const CategoryRange& range) {
                              return range.first <= range.last &&
                                     (range.category == GeneralCategory::Cf ||
                                      range.last < character_class_detail::kSymbolPlanes * 0x10000);
                          }),
              "every punctuation mark, space and symbol lies in the first two planes");

}  // namespace

namespace character_class_detail {

constinit const std::array<std::uint64_t, kSymbolPlanes * 0x10000 / 64> kPunctuationSpaceSymbol =
    bits_of<kSymbolPlanes * 0x10000 / 64>(punctuation_space_or_symbol);

constinit const std::array<std::uint64_t, 0x10000 / 64> kFormat = bits_of<0x10000 / 64>(format);

}  // namespace character_class_detail

std::string_view unicode_version() noexcept { return kUnicodeVersion; }

}  // namespace taviro
