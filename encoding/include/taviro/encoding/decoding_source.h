// A unit source over a stream of bytes in one of the encodings, or in the one
// that detection finds in its first bytes. Reads in large blocks, so memory
// stays the same whatever the length of the text: a file or standard input.
//
// A byte-order mark at the start is dropped, in every encoding. Bytes that the
// encoding cannot hold are a RunError that names the source and the byte
// offset; nothing is replaced or skipped. A source whose encoding is to be
// detected and that is plainly no text (holds_no_text()) is refused as "is not
// a text file" before any of it is handed out.
//
// It does not open or close the stream.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "taviro/encoding/byte_source.h"
#include "taviro/encoding/encoding.h"
#include "taviro/encoding/read_progress.h"
#include "taviro/encoding/utf8_decoder.h"
#include "taviro/convert/unit_source.h"

namespace taviro {

class DecodingSource final : public UnitSource {
public:
    // `encoding` empty: detect it. `name` names the source in messages, as
    // they should show it: "'in.txt'" or "standard input".
    DecodingSource(ByteSource& bytes, std::optional<Encoding> encoding, std::string name,
                   ReadProgress progress = {});
    // Reads a stream, such as a file (stream_byte_source.cpp).
    DecodingSource(std::istream& bytes, std::optional<Encoding> encoding, std::string name,
                   ReadProgress progress = {});

    std::size_t read(std::span<char16_t> units) override;

    // The encoding read, once the first read() has decided it.
    std::optional<Encoding> encoding() const noexcept { return encoding_; }

private:
    DecodingSource(std::unique_ptr<ByteSource> owned, std::optional<Encoding> encoding, std::string name,
                   ReadProgress progress);

    bool reads_as_it_lies() const noexcept;
    std::size_t read_as_it_lies(std::span<char16_t> units);
    std::size_t drop_leading_mark(std::span<char16_t> units);
    bool decode_next_block();
    const std::string& read_block(std::size_t wanted);
    std::size_t read_into(char* bytes, std::size_t wanted);
    void decode(std::string_view bytes);
    void decode_utf16(std::string_view bytes);
    void finish();
    [[noreturn]] void fail(const std::string& reason) const;

    std::unique_ptr<ByteSource> owned_;  // the stream's source, when given a stream
    ByteSource& bytes_;
    std::optional<Encoding> encoding_;
    std::string name_;
    ReadProgress progress_;
    std::uint64_t bytes_read_ = 0;
    bool at_end_ = false;
    bool at_start_ = true;  // the byte-order mark may still come

    Utf8Decoder utf8_;
    std::optional<char> carried_byte_;  // the first half of a UTF-16 unit
    std::string block_;                 // the bytes of the latest block
    std::u16string decoded_;
    std::size_t handed_out_ = 0;  // units of decoded_ already read
};

}  // namespace taviro
