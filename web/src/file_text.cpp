#include "file_text.h"

#include <algorithm>

#include "taviro/encoding/encoding_detection.h"
#include "taviro/encoding/utf8_decoder.h"
#include "taviro/convert/run_error.h"

namespace taviro::web {
namespace {

constexpr char16_t kByteOrderMark = u'\uFEFF';

[[noreturn]] void fail(const std::string& name, const std::string& reason) {
    throw RunError("cannot read '" + name + "': " + reason);
}

std::u16string utf8_units(std::string_view bytes, const std::string& name) {
    std::u16string units;
    Utf8Decoder decoder;
    if (const auto fault = decoder.decode(bytes, units)) {
        fail(name, "it is not valid UTF-8 at " + describe(*fault));
    }
    if (const auto fault = decoder.finish()) {
        fail(name, "it ends inside a UTF-8 character at " + describe(*fault));
    }
    return units;
}

std::u16string utf16_units(std::string_view bytes, bool little_endian, const std::string& name) {
    if (bytes.size() % 2 != 0) {
        fail(name, "it ends in half a UTF-16 character (an odd number of bytes)");
    }
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = static_cast<char16_t>(little_endian ? (first | (second << 8)) : ((first << 8) | second));
    }
    return units;
}

}  // namespace

FileText read_file_text(std::string_view bytes, const std::string& name) {
    const Encoding encoding = detect_encoding(bytes.substr(0, std::min(bytes.size(), kDetectionBytes)));
    FileText text{encoding == Encoding::utf8 ? utf8_units(bytes, name)
                                             : utf16_units(bytes, encoding == Encoding::utf16le, name),
                  encoding};
    if (!text.units.empty() && text.units.front() == kByteOrderMark) {
        text.units.erase(0, 1);
    }
    return text;
}

}  // namespace taviro::web
