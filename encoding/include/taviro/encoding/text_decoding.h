// Bytes to UTF-16 code units when all the bytes are at hand: a file the web
// page was given, read as taviro-convert reads a source. The pairing of UTF-16
// bytes here is the one DecodingSource streams with too.
//
// It reads no stream, so the page's module stays free of iostreams.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "taviro/encoding/encoding.h"

namespace taviro {

// Appends the units of `bytes`, whole UTF-16 units (an even number of bytes)
// in `encoding`, UTF-16LE or UTF-16BE, to `units`.
void append_utf16_units(std::string_view bytes, Encoding encoding, std::u16string& units);

struct DecodedText {
    std::u16string units;
    Encoding encoding;
};

// The text of `bytes` in the encoding that its byte-order mark or its first
// bytes show (the same detection), strict UTF-8 (the same decoder), the
// byte-order mark dropped. Throws RunError as DecodingSource does, with `name`
// as the messages show it ("'notes.txt'") and the byte offset of a fault.
// With `from`, the bytes are read in that encoding instead of the one detected.
[[nodiscard]] DecodedText decode_text(std::string_view bytes, const std::string& name,
                                      std::optional<Encoding> from = std::nullopt);

// What such a face says of an empty file it will not convert; `name` as the
// messages show it.
[[nodiscard]] std::string empty_file_refusal(std::string_view name);

}  // namespace taviro
