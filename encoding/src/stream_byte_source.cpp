// The stream side of the decoding source, in a file of its own: a program
// that never reads from a stream (the page) never links it, nor iostreams
// with it.
#include "taviro/encoding/stream_byte_source.h"

#include <memory>

#include "taviro/encoding/decoding_source.h"

namespace taviro {

std::optional<std::size_t> StreamByteSource::read(char* bytes, std::size_t wanted) {
    stream_.read(bytes, static_cast<std::streamsize>(wanted));
    if (stream_.bad()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(stream_.gcount());
}

DecodingSource::DecodingSource(std::istream& bytes, std::optional<Encoding> encoding, std::string name,
                               ReadProgress progress)
    : DecodingSource(std::make_unique<StreamByteSource>(bytes), encoding, std::move(name), std::move(progress)) {}

}  // namespace taviro
