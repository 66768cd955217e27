#include "taviro/encoding/encoding_detection.h"

#include <array>

#include "taviro/encoding/utf8_decoder.h"
#include "taviro/engine.h"

namespace taviro {
namespace {

struct ByteOrderMark {
    std::string_view bytes;
    Encoding encoding;
};

constexpr std::array<ByteOrderMark, 3> kByteOrderMarks{{
    {"\xEF\xBB\xBF", Encoding::utf8},
    {"\xFF\xFE", Encoding::utf16le},
    {"\xFE\xFF", Encoding::utf16be},
}};

struct UnitRange {
    char16_t first;
    char16_t last;
};

// The assigned code points of the Gurmukhi block. Only these count: ASCII
// text with a line feed after every letter reads as units U+0A61, U+0A62, ...
// that no Gurmukhi text holds.
constexpr std::array<UnitRange, 17> kAssignedGurmukhi{{
    {u'\u0A01', u'\u0A03'}, {u'\u0A05', u'\u0A0A'}, {u'\u0A0F', u'\u0A10'}, {u'\u0A13', u'\u0A28'},
    {u'\u0A2A', u'\u0A30'}, {u'\u0A32', u'\u0A33'}, {u'\u0A35', u'\u0A36'}, {u'\u0A38', u'\u0A39'},
    {u'\u0A3C', u'\u0A3C'}, {u'\u0A3E', u'\u0A42'}, {u'\u0A47', u'\u0A48'}, {u'\u0A4B', u'\u0A4D'},
    {u'\u0A51', u'\u0A51'}, {u'\u0A59', u'\u0A5C'}, {u'\u0A5E', u'\u0A5E'}, {u'\u0A66', u'\u0A76'},
    {u'\u0964', u'\u0965'},  // the dandas, from the Devanagari block
}};
constexpr std::u16string_view kJoiners = u"\u200C\u200D";

bool is_gurmukhi_text_unit(char16_t unit) {
    for (const UnitRange& range : kAssignedGurmukhi) {
        if (range.first <= unit && unit <= range.last) return true;
    }
    return kJoiners.find(unit) != std::u16string_view::npos;
}

char16_t unit_at(std::string_view bytes, std::size_t at, Encoding encoding) {
    const auto first = static_cast<unsigned char>(bytes[at]);
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    return static_cast<char16_t>(encoding == Encoding::utf16le ? (first | (second << 8)) : ((first << 8) | second));
}

bool is_gurmukhi_only_utf16(std::string_view prefix, Encoding encoding) {
    if (prefix.empty() || prefix.size() % 2 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); i += 2) {
        if (!is_gurmukhi_text_unit(unit_at(prefix, i, encoding))) {
            return false;
        }
    }
    return true;
}

// Punjabi text in UTF-16 is Gurmukhi, spaces, line ends and punctuation; a
// binary file, or text in another encoding, is units of every kind.
bool is_mostly_gurmukhi_or_ascii_utf16(std::string_view prefix, Encoding encoding) {
    constexpr std::size_t kShareNumerator = 3;  // three units in four, at least
    constexpr std::size_t kShareDenominator = 4;
    const std::size_t units = prefix.size() / 2;
    std::size_t text_units = 0;
    for (std::size_t i = 0; i + 1 < prefix.size(); i += 2) {
        const char16_t unit = unit_at(prefix, i, encoding);
        if ((unit != 0 && unit < 0x80) || is_gurmukhi_text_unit(unit)) ++text_units;
    }
    return units != 0 && text_units * kShareDenominator >= units * kShareNumerator;
}

// Tab, line feed, vertical tab, form feed and carriage return, with the
// escape and the end-of-file mark (Ctrl-Z) that old files may hold.
bool is_text_control(char16_t unit) {
    return (unit >= 0x09 && unit <= 0x0D) || unit == 0x1A || unit == 0x1B;
}

// Well-formed UTF-8 (a character cut off at the end of the prefix aside) that
// holds at least one Gurmukhi letter is UTF-8, whatever single bytes it holds:
// UTF-16LE read as UTF-8 never decodes into the Gurmukhi block.
bool reads_as_utf8_gurmukhi(std::string_view prefix) {
    std::u16string units;
    Utf8Decoder decoder;
    if (decoder.decode(prefix, units)) {
        return false;
    }
    for (const char16_t unit : units) {
        if (in_gurmukhi_block(unit)) return true;
    }
    return false;
}

}  // namespace

Encoding detect_encoding(std::string_view prefix) {
    for (const ByteOrderMark& mark : kByteOrderMarks) {
        if (prefix.starts_with(mark.bytes)) {
            return mark.encoding;
        }
    }
    if (reads_as_utf8_gurmukhi(prefix)) {
        return Encoding::utf8;
    }
    // Little-endian first: it is the windows' own, and the two orders never
    // both pass, since ASCII and Gurmukhi units read swapped are neither.
    const bool has_nul = prefix.find('\0') != std::string_view::npos;
    for (const Encoding order : {Encoding::utf16le, Encoding::utf16be}) {
        if ((has_nul && is_mostly_gurmukhi_or_ascii_utf16(prefix, order)) || is_gurmukhi_only_utf16(prefix, order)) {
            return order;
        }
    }
    return Encoding::utf8;
}

bool holds_no_text(std::string_view prefix, Encoding encoding) {
    constexpr std::size_t kMostStrayPerHundred = 1;
    const bool in_units = encoding != Encoding::utf8;
    const std::size_t step = in_units ? 2 : 1;
    std::size_t count = 0;
    std::size_t stray = 0;
    for (std::size_t i = 0; i + step <= prefix.size(); i += step, ++count) {
        const char16_t unit = in_units ? unit_at(prefix, i, encoding) : static_cast<unsigned char>(prefix[i]);
        if (unit == 0) return true;
        if (unit < 0x20 && !is_text_control(unit)) ++stray;
    }
    return stray * 100 > count * kMostStrayPerHundred;
}

}  // namespace taviro
