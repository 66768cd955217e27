// Writes text as UTF-16LE that begins with the byte-order mark FF FE, the way
// the windows' files are, to a sink of bytes in large blocks. Every unit is
// kept as it comes. Every write is checked; finish() writes out the rest, and
// only a finish() without error means the text is all in the sink.
//
// It does not open or close a stream.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "taviro/convert/unit_sink.h"
#include "taviro/encoding/byte_sink.h"

namespace taviro {

class Utf16Writer final : public UnitSink {
public:
    // `name` names the destination in messages, as they should show it.
    // `bytes` must outlive the writer.
    Utf16Writer(ByteSink& bytes, std::string name);
    // Writes to a stream, such as a file (stream_byte_sink.cpp).
    Utf16Writer(std::ostream& bytes, std::string name);

    void write(std::u16string_view text) override;
    // Writes out what is held and flushes the sink. Throws RunError.
    void finish();

private:
    Utf16Writer(std::unique_ptr<ByteSink> owned, std::string name);

    void write_out();
    void write_bytes(const char* bytes, std::size_t count);

    std::unique_ptr<ByteSink> owned_;  // the stream's sink, when given a stream
    ByteSink& bytes_;
    std::string name_;
    std::string block_;
};

}  // namespace taviro
