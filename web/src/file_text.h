// The text of a file the page was given, read as taviro-convert reads a
// source: the encoding by its byte-order mark or its first bytes (the same
// detection), strict UTF-8 (the same decoder), the byte-order mark dropped.
//
// taviro-convert's DecodingSource streams from an std::istream; the page has
// all the bytes at once, and iostreams would triple the size of the module,
// so only the pairing of UTF-16 bytes is done again here.
#pragma once

#include <string>
#include <string_view>

#include "taviro/encoding/encoding.h"

namespace taviro::web {

struct FileText {
    std::u16string units;
    Encoding encoding;
};

// Throws RunError naming the file, with the byte offset of a fault, in
// taviro-convert's words.
FileText read_file_text(std::string_view bytes, const std::string& name);

}  // namespace taviro::web
