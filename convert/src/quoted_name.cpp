#include "taviro/convert/quoted_name.h"

#include <cstddef>
#include <string>

namespace taviro {
namespace {

void append_octal(std::string& text, unsigned char byte) {
    text += '\\';
    text += static_cast<char>('0' + (byte >> 6));
    text += static_cast<char>('0' + ((byte >> 3) & 7));
    text += static_cast<char>('0' + (byte & 7));
}

void append_control(std::string& text, unsigned char byte) {
    switch (byte) {
    case '\t': text += "\\t"; break;
    case '\n': text += "\\n"; break;
    case '\r': text += "\\r"; break;
    default: append_octal(text, byte); break;
    }
}

// The length of the well-formed UTF-8 sequence at the start of `bytes`, or 0.
std::size_t utf8_sequence_length(std::string_view bytes, char32_t& value) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[i]);
        if ((next & 0xC0) != 0x80) return 0;
        value = (value << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
    const bool outside = value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF);
    return overlong || outside ? 0 : length;
}

}  // namespace

std::string quoted_name(std::string_view name) {
    std::string quoted(1, '\'');
    for (std::size_t at = 0; at < name.size();) {
        const auto byte = static_cast<unsigned char>(name[at]);
        if (byte < 0x80) {
            if (byte < 0x20 || byte == 0x7F) {
                append_control(quoted, byte);
            } else {
                if (byte == '\\') quoted += '\\';
                quoted += static_cast<char>(byte);
            }
            ++at;
            continue;
        }
        char32_t value = 0;
        const std::size_t length = utf8_sequence_length(std::string_view(name).substr(at), value);
        // C1 controls are as dangerous to a terminal as C0 ones.
        if (length == 0 || (value >= 0x80 && value <= 0x9F)) {
            for (std::size_t i = 0; i < (length == 0 ? 1 : length); ++i) {
                append_octal(quoted, static_cast<unsigned char>(name[at + i]));
            }
            at += length == 0 ? 1 : length;
        } else {
            quoted.append(name, at, length);
            at += length;
        }
    }
    quoted += '\'';
    return quoted;
}

}  // namespace taviro
