// What Unicode says of the characters around Gurmukhi words, for the two
// questions the read loop asks of a character that is no Gurmukhi letter:
// does it end a word (punctuation, a space or a symbol, an emoji among them),
// and is it a format character that a reader never sees (a zero-width space,
// a joiner, a soft hyphen, a direction mark). The answers come from the
// Unicode Character Database's general categories, read when the build is
// configured; nothing here is typed by hand.
//
// It does not decide what ASCII does: the ASCII separators are the read
// loop's own, and no character of the Gurmukhi block is asked about.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace taviro {

namespace character_class_detail {

// One bit per code point from U+0000 to U+1FFFF: every punctuation mark,
// space or separator and symbol of Unicode lies below U+20000.
inline constexpr std::size_t kSymbolPlanes = 2;
extern const std::array<std::uint64_t, kSymbolPlanes * 0x10000 / 64> kPunctuationSpaceSymbol;
// One bit per code unit of the Basic Multilingual Plane.
extern const std::array<std::uint64_t, 0x10000 / 64> kFormat;

constexpr bool bit(const std::uint64_t* bits, char32_t code_point) noexcept {
    return ((bits[code_point / 64] >> (code_point % 64)) & 1U) != 0;
}

}  // namespace character_class_detail

// The Unicode version the categories come from, such as "15.0.0".
[[nodiscard]] std::string_view unicode_version() noexcept;

constexpr bool is_high_surrogate(char16_t unit) noexcept { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool is_low_surrogate(char16_t unit) noexcept { return unit >= 0xDC00 && unit <= 0xDFFF; }
constexpr char32_t code_point_of(char16_t high, char16_t low) noexcept {
    return 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) + (static_cast<char32_t>(low) - 0xDC00);
}

// Whether Unicode puts the code point among punctuation (P*), spaces and
// separators (Z*) or symbols (S*). A lone surrogate is none of them.
inline bool is_punctuation_space_or_symbol(char32_t code_point) noexcept {
    using namespace character_class_detail;
    return code_point < kSymbolPlanes * 0x10000 && bit(kPunctuationSpaceSymbol.data(), code_point);
}

// Whether Unicode puts the code unit among the format characters (Cf).
// Those beyond the Basic Multilingual Plane (tags, a few scripts' own
// controls) are never met beside Gurmukhi and are not asked about.
inline bool is_format_character(char16_t unit) noexcept {
    return character_class_detail::bit(character_class_detail::kFormat.data(), unit);
}

}  // namespace taviro
