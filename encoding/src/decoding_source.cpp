#include "taviro/encoding/decoding_source.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "taviro/encoding/encoding_detection.h"
#include "taviro/run/run_error.h"

namespace taviro {
namespace {

constexpr std::size_t kBlockBytes = 65536;
constexpr char16_t kByteOrderMark = u'\uFEFF';

}  // namespace

DecodingSource::DecodingSource(std::istream& bytes, std::optional<Encoding> encoding, std::string name,
                               ReadProgress progress)
    : bytes_(bytes), encoding_(encoding), name_(std::move(name)), progress_(std::move(progress)) {}

std::size_t DecodingSource::read(std::span<char16_t> units) {
    while (handed_out_ == decoded_.size()) {
        decoded_.clear();
        handed_out_ = 0;
        if (!decode_next_block()) {
            return 0;
        }
    }
    const std::size_t count = std::min(units.size(), decoded_.size() - handed_out_);
    std::copy_n(decoded_.begin() + static_cast<std::ptrdiff_t>(handed_out_), count, units.begin());
    handed_out_ += count;
    return count;
}

// Decodes the next block of bytes into decoded_; false at the end of the
// input. The first block is the detection prefix when the encoding is unknown.
bool DecodingSource::decode_next_block() {
    if (at_end_) {
        return false;
    }
    const bool detecting = !encoding_;
    const std::string& block = read_block(detecting ? kDetectionBytes : kBlockBytes);
    if (detecting) {
        encoding_ = detect_encoding(block);
    }
    if (block.empty()) {
        at_end_ = true;
        finish();
        return false;
    }
    decode(block);
    if (at_start_ && !decoded_.empty()) {
        at_start_ = false;
        if (decoded_.front() == kByteOrderMark) {
            handed_out_ = 1;
        }
    }
    return true;
}

// Up to `wanted` bytes; fewer only at the end of the input. The same buffer
// serves every block.
const std::string& DecodingSource::read_block(std::size_t wanted) {
    block_.resize(wanted);
    bytes_.read(block_.data(), static_cast<std::streamsize>(wanted));
    if (bytes_.bad()) {
        fail("cannot read it");
    }
    block_.resize(static_cast<std::size_t>(bytes_.gcount()));
    bytes_read_ += block_.size();
    if (progress_ && !block_.empty()) {
        progress_(bytes_read_);
    }
    return block_;
}

void DecodingSource::decode(std::string_view bytes) {
    if (*encoding_ != Encoding::utf8) {
        decode_utf16(bytes);
    } else if (const auto fault = utf8_.decode(bytes, decoded_)) {
        fail("it is not valid UTF-8 at " + describe(*fault));
    }
}

void DecodingSource::decode_utf16(std::string_view bytes) {
    const bool little_endian = *encoding_ == Encoding::utf16le;
    std::size_t i = 0;
    const auto unit_of = [little_endian](char first, char second) {
        const auto a = static_cast<unsigned char>(first);
        const auto b = static_cast<unsigned char>(second);
        return static_cast<char16_t>(little_endian ? (a | (b << 8)) : ((a << 8) | b));
    };
    if (carried_byte_ && !bytes.empty()) {
        decoded_.push_back(unit_of(*carried_byte_, bytes[0]));
        carried_byte_.reset();
        i = 1;
    }
    // Every unit of the input passes here: little-endian text on a little-endian
    // machine is copied as it lies.
    const std::size_t pairs = (bytes.size() - i) / 2;
    const std::size_t at = decoded_.size();
    decoded_.resize(at + pairs);
    if (little_endian && std::endian::native == std::endian::little) {
        std::memcpy(decoded_.data() + at, bytes.data() + i, 2 * pairs);
    } else {
        for (std::size_t k = 0; k < pairs; ++k) {
            decoded_[at + k] = unit_of(bytes[i + 2 * k], bytes[i + 2 * k + 1]);
        }
    }
    i += 2 * pairs;
    if (i < bytes.size()) {
        carried_byte_ = bytes[i];
    }
}

void DecodingSource::finish() {
    if (carried_byte_) {
        fail("it ends in half a UTF-16 character (an odd number of bytes)");
    }
    if (const auto fault = utf8_.finish()) {
        fail("it ends inside a UTF-8 character at " + describe(*fault));
    }
}

void DecodingSource::fail(const std::string& reason) const {
    throw RunError("cannot read " + name_ + ": " + reason);
}

}  // namespace taviro
