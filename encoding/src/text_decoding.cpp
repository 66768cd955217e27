#include "taviro/encoding/text_decoding.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "read_fault.h"
#include "taviro/encoding/encoding_detection.h"
#include "taviro/encoding/utf8_decoder.h"

namespace taviro {
namespace {

std::u16string utf8_units(std::string_view bytes, const std::string& name) {
    std::u16string units;
    units.reserve(bytes.size());  // no character has more units than bytes
    Utf8Decoder decoder;
    if (const auto fault = decoder.decode(bytes, units)) {
        fail_to_read(name, std::string(kNotUtf8) + describe(*fault));
    }
    if (const auto fault = decoder.finish()) {
        fail_to_read(name, std::string(kEndsInsideUtf8) + describe(*fault));
    }
    return units;
}

}  // namespace

void append_utf16_units(std::string_view bytes, Encoding encoding, std::u16string& units) {
    const bool little_endian = encoding == Encoding::utf16le;
    const std::size_t count = bytes.size() / 2;
    const std::size_t at = units.size();
    units.resize(at + count);
    // Every unit of a UTF-16 input passes here: little-endian text on a
    // little-endian machine is copied as it lies.
    if (little_endian && std::endian::native == std::endian::little) {
        std::memcpy(units.data() + at, bytes.data(), 2 * count);
        return;
    }
    for (std::size_t k = 0; k < count; ++k) {
        const auto a = static_cast<unsigned char>(bytes[2 * k]);
        const auto b = static_cast<unsigned char>(bytes[2 * k + 1]);
        units[at + k] = static_cast<char16_t>(little_endian ? (a | (b << 8)) : ((a << 8) | b));
    }
}

DecodedText decode_text(std::string_view bytes, const std::string& name, std::optional<Encoding> from) {
    DecodedText text{{}, from ? *from : detect_encoding(bytes.substr(0, std::min(bytes.size(), kDetectionBytes)))};
    if (holds_no_text(bytes.substr(0, std::min(bytes.size(), kTextCheckBytes)), text.encoding)) {
        fail_not_text(name);
    }
    if (text.encoding == Encoding::utf8) {
        text.units = utf8_units(bytes, name);
    } else if (bytes.size() % 2 != 0) {
        fail_to_read(name, kHalfUtf16);
    } else {
        append_utf16_units(bytes, text.encoding, text.units);
    }
    if (!text.units.empty() && text.units.front() == kByteOrderMark) {
        text.units.erase(0, 1);
    }
    return text;
}

std::string empty_file_refusal(std::string_view name) {
    std::string refusal(name);
    refusal += " is empty: there is no text in it to convert.";
    return refusal;
}

}  // namespace taviro
