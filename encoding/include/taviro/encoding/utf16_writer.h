// Writes text as UTF-16LE that begins with the byte-order mark FF FE, the way
// the windows' files are, to a stream of bytes in large blocks. Every unit is
// kept as it comes. Every write is checked; finish() writes out the rest, and
// only a finish() without error means the text is all in the stream.
//
// It does not open or close the stream.
#pragma once

#include <ostream>
#include <string>

#include "taviro/convert/unit_sink.h"

namespace taviro {

class Utf16Writer final : public UnitSink {
public:
    // `name` names the destination in messages, as they should show it.
    Utf16Writer(std::ostream& bytes, std::string name);

    void write(std::u16string_view text) override;
    // Writes out what is held and flushes the stream. Throws RunError.
    void finish();

private:
    void write_out();
    void write_bytes(const char* bytes, std::size_t count);

    std::ostream& bytes_;
    std::string name_;
    std::string block_;
};

}  // namespace taviro
