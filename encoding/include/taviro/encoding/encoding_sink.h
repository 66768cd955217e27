// A unit sink that writes the text to a sink of bytes, in large blocks, each
// line feed that ends a line of it as the encoding's line end (line_ends.h):
//  - UTF-16LE begins with the byte-order mark FF FE and keeps every unit as
//    it comes, exactly like the windows' files;
//  - UTF-8 has no byte-order mark. A surrogate without its partner cannot be
//    written in UTF-8 at all; it becomes U+FFFD, and replacements() counts
//    them, so that the caller can say so. (Refusing the text instead would
//    fail a conversion that the same text passes with UTF-16 output, where
//    the unit is kept.)
//
// It does not open or close a stream; finish() must be called to write out
// the rest, and its failure means the text is not all there.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "taviro/convert/unit_sink.h"
#include "taviro/encoding/byte_sink.h"
#include "taviro/encoding/encoding.h"
#include "taviro/encoding/line_ends.h"
#include "taviro/encoding/utf16_writer.h"

namespace taviro {

class EncodingSink final : public UnitSink {
public:
    // `encoding` is UTF-8 or UTF-16LE. `name` names the destination in
    // messages, as they should show it. `bytes` must outlive the sink.
    EncodingSink(ByteSink& bytes, Encoding encoding, std::string name);
    // Writes to a stream, such as a file (stream_byte_sink.cpp).
    EncodingSink(std::ostream& bytes, Encoding encoding, std::string name);

    void write(std::u16string_view text) override;
    // Writes out what is held and flushes the sink. Throws RunError.
    void finish();

    std::size_t replacements() const noexcept { return replacements_; }

private:
    EncodingSink(std::unique_ptr<ByteSink> owned, Encoding encoding, std::string name);

    void write_line(std::u16string_view text);
    void write_utf8(std::u16string_view text);
    void append_utf8(char32_t value);
    void write_out();

    std::unique_ptr<ByteSink> owned_;  // the stream's sink, when given a stream
    ByteSink& bytes_;
    std::optional<Utf16Writer> utf16le_;  // UTF-16LE is written the windows' way
    std::u16string_view line_end_;
    std::string name_;
    std::string block_;
    std::size_t used_ = 0;  // the bytes of block_ written and not yet given to the sink
    char16_t high_surrogate_ = 0;  // waiting for its low partner in the next write
    std::size_t replacements_ = 0;
};

// The bytes of `text` as a file of `encoding` holds them, made by the sink
// above: for the front ends that keep a text in memory.
[[nodiscard]] std::string encoded_text(std::u16string_view text, Encoding encoding);

// The UTF-8 of `text` for a string that may hold a lone surrogate, as a str
// of Python may: each kept in its own three bytes, which Python reads back
// with "surrogatepass", where a UTF-8 file has U+FFFD; the rest as
// encoded_text() writes it.
[[nodiscard]] std::string utf8_passing_lone_surrogates(std::u16string_view text);

}  // namespace taviro
