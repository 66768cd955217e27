// The bytes of a decoding source coming from a std::istream, such as a file
// or standard input: a read fails once the stream has gone bad. It does not
// open, close or own the stream. Kept apart from ByteSource, so that only
// what reads from streams brings iostreams in.
#pragma once

#include <istream>

#include "taviro/encoding/byte_source.h"

namespace taviro {

class StreamByteSource final : public ByteSource {
public:
    explicit StreamByteSource(std::istream& stream) : stream_(stream) {}

    std::optional<std::size_t> read(char* bytes, std::size_t wanted) override;

private:
    std::istream& stream_;
};

}  // namespace taviro
