// The UTF-8 decoder over arbitrary bytes: fed whole, it takes its fast path
// for runs of well-formed characters; fed a byte at a time, every character
// but ASCII goes through the byte-by-byte path. Both must give the same units
// and the same fault, at the same offset, or none. And bytes that decode
// whole into text holding a Gurmukhi letter are taken for UTF-8 by detection,
// whatever else they hold, a NUL included.

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "taviro/encoding/encoding_detection.h"
#include "taviro/encoding/utf8_decoder.h"
#include "taviro/engine.h"

namespace {

struct Decoded {
    std::u16string units;
    std::optional<taviro::Utf8Fault> fault;
};

Decoded decode_in_pieces(std::string_view bytes, std::size_t piece) {
    Decoded decoded;
    taviro::Utf8Decoder decoder;
    for (std::size_t at = 0; at < bytes.size() && !decoded.fault; at += piece) {
        decoded.fault = decoder.decode(bytes.substr(at, piece), decoded.units);
    }
    if (!decoded.fault) decoded.fault = decoder.finish();
    return decoded;
}

bool holds_gurmukhi(const Decoded& decoded) {
    for (const char16_t unit : decoded.units) {
        if (taviro::in_gurmukhi_block(unit)) return true;
    }
    return false;
}

bool same(const Decoded& a, const Decoded& b) {
    if (a.units != b.units || a.fault.has_value() != b.fault.has_value()) return false;
    return !a.fault || (a.fault->offset == b.fault->offset && a.fault->bytes == b.fault->bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Decoded whole = decode_in_pieces(bytes, bytes.size() + 1);
    if (!same(whole, decode_in_pieces(bytes, 1)) || !same(whole, decode_in_pieces(bytes, 5))) std::abort();
    const bool has_byte_order_mark = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
    if (bytes.size() <= taviro::kDetectionBytes && !whole.fault && holds_gurmukhi(whole) && !has_byte_order_mark &&
        taviro::detect_encoding(bytes) != taviro::Encoding::utf8) {
        std::abort();
    }
    return 0;
}
