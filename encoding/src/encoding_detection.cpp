#include "taviro/encoding/encoding_detection.h"

#include <array>

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

constexpr char16_t kFirstGurmukhi = u'\u0A01';
constexpr char16_t kLastGurmukhi = u'\u0A7F';
constexpr std::u16string_view kOtherGurmukhiTextUnits = u"\u0964\u0965\u200C\u200D";

bool is_gurmukhi_text_unit(char16_t unit) {
    return (unit >= kFirstGurmukhi && unit <= kLastGurmukhi) ||
           kOtherGurmukhiTextUnits.find(unit) != std::u16string_view::npos;
}

bool is_gurmukhi_only_utf16le(std::string_view prefix) {
    if (prefix.empty() || prefix.size() % 2 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); i += 2) {
        const auto low = static_cast<unsigned char>(prefix[i]);
        const auto high = static_cast<unsigned char>(prefix[i + 1]);
        if (!is_gurmukhi_text_unit(static_cast<char16_t>(low | (high << 8)))) {
            return false;
        }
    }
    return true;
}

}  // namespace

Encoding detect_encoding(std::string_view prefix) {
    for (const ByteOrderMark& mark : kByteOrderMarks) {
        if (prefix.starts_with(mark.bytes)) {
            return mark.encoding;
        }
    }
    if (prefix.find('\0') != std::string_view::npos || is_gurmukhi_only_utf16le(prefix)) {
        return Encoding::utf16le;
    }
    return Encoding::utf8;
}

}  // namespace taviro
