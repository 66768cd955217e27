// The bytes of an encoder going to a std::ostream, such as a file: a write
// fails once the stream has failed. It does not open, close or own the
// stream. Kept apart from ByteSink, so that only what writes to streams
// brings iostreams in.
#pragma once

#include <ostream>

#include "taviro/encoding/byte_sink.h"

namespace taviro {

class StreamByteSink final : public ByteSink {
public:
    explicit StreamByteSink(std::ostream& stream) : stream_(stream) {}

    bool write(const char* bytes, std::size_t count) override;
    bool flush() override;

private:
    std::ostream& stream_;
};

}  // namespace taviro
