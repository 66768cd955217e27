// The stream side of the encoders, in a file of its own: a program that
// never writes to a stream (the page) never links it, nor iostreams with it.
#include "taviro/encoding/stream_byte_sink.h"

#include <memory>

#include "taviro/encoding/encoding_sink.h"
#include "taviro/encoding/utf16_writer.h"

namespace taviro {

bool StreamByteSink::write(const char* bytes, std::size_t count) {
    stream_.write(bytes, static_cast<std::streamsize>(count));
    return static_cast<bool>(stream_);
}

bool StreamByteSink::flush() {
    stream_.flush();
    return static_cast<bool>(stream_);
}

Utf16Writer::Utf16Writer(std::ostream& bytes, std::string name)
    : Utf16Writer(std::make_unique<StreamByteSink>(bytes), std::move(name)) {}

EncodingSink::EncodingSink(std::ostream& bytes, Encoding encoding, std::string name)
    : EncodingSink(std::make_unique<StreamByteSink>(bytes), encoding, std::move(name)) {}

}  // namespace taviro
