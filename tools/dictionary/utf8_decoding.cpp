#include "utf8_decoding.h"

namespace taviro {
namespace {

struct Lead {
    int continuation_count;
    char32_t bits;
    char32_t minimum;  // smaller values are overlong
};

std::optional<Lead> read_lead(unsigned char byte) {
    if (byte < 0x80) return Lead{0, byte, 0};
    if ((byte & 0xE0) == 0xC0) return Lead{1, byte & 0x1Fu, 0x80};
    if ((byte & 0xF0) == 0xE0) return Lead{2, byte & 0x0Fu, 0x800};
    if ((byte & 0xF8) == 0xF0) return Lead{3, byte & 0x07u, 0x10000};
    return std::nullopt;
}

void append_utf16(std::u16string& text, char32_t value) {
    if (value < 0x10000) {
        text.push_back(static_cast<char16_t>(value));
        return;
    }
    value -= 0x10000;
    text.push_back(static_cast<char16_t>(0xD800 + (value >> 10)));
    text.push_back(static_cast<char16_t>(0xDC00 + (value & 0x3FF)));
}

}  // namespace

std::optional<std::u16string> decode_utf8(std::string_view utf8) {
    std::u16string text;
    text.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = read_lead(static_cast<unsigned char>(utf8[i++]));
        if (!lead || utf8.size() - i < static_cast<std::size_t>(lead->continuation_count)) {
            return std::nullopt;
        }
        char32_t value = lead->bits;
        for (int n = 0; n < lead->continuation_count; ++n) {
            const auto byte = static_cast<unsigned char>(utf8[i++]);
            if ((byte & 0xC0) != 0x80) {
                return std::nullopt;
            }
            value = (value << 6) | (byte & 0x3Fu);
        }
        const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
        if (value < lead->minimum || surrogate || value > 0x10FFFF) {
            return std::nullopt;
        }
        append_utf16(text, value);
    }
    return text;
}

}  // namespace taviro
