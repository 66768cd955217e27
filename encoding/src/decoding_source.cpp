#include "taviro/encoding/decoding_source.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>

#include "read_fault.h"
#include "taviro/encoding/encoding_detection.h"
#include "taviro/encoding/text_decoding.h"

namespace taviro {
namespace {

constexpr std::size_t kBlockBytes = 65536;

}  // namespace

DecodingSource::DecodingSource(ByteSource& bytes, std::optional<Encoding> encoding, std::string name,
                               ReadProgress progress)
    : bytes_(bytes), encoding_(encoding), name_(std::move(name)), progress_(std::move(progress)) {}

DecodingSource::DecodingSource(std::unique_ptr<ByteSource> owned, std::optional<Encoding> encoding, std::string name,
                               ReadProgress progress)
    : DecodingSource(*owned, encoding, std::move(name), std::move(progress)) {
    owned_ = std::move(owned);
}

std::size_t DecodingSource::read(std::span<char16_t> units) {
    if (handed_out_ == decoded_.size() && reads_as_it_lies()) {
        return read_as_it_lies(units);
    }
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

// UTF-16 in the machine's byte order is the units themselves: once the
// encoding is known, its bytes go straight into the caller's units.
bool DecodingSource::reads_as_it_lies() const noexcept {
    constexpr Encoding native = std::endian::native == std::endian::little ? Encoding::utf16le : Encoding::utf16be;
    return encoding_ == native && !at_end_;
}

std::size_t DecodingSource::read_as_it_lies(std::span<char16_t> units) {
    auto* const bytes = reinterpret_cast<char*>(units.data());
    const std::size_t capacity = 2 * units.size();
    std::size_t count = 0;
    while (count == 0 && capacity != 0) {
        std::size_t held = 0;
        if (carried_byte_) {
            bytes[held++] = *carried_byte_;
            carried_byte_.reset();
        }
        const std::size_t got = read_into(bytes + held, capacity - held);
        held += got;
        if (held % 2 != 0) {
            carried_byte_ = bytes[held - 1];
        }
        if (got == 0) {
            at_end_ = true;
            finish();
            return 0;
        }
        count = drop_leading_mark(units.first(held / 2));
    }
    return count;
}

// The units of `units` without a byte-order mark at the very start of the input.
std::size_t DecodingSource::drop_leading_mark(std::span<char16_t> units) {
    if (!at_start_ || units.empty()) {
        return units.size();
    }
    at_start_ = false;
    if (units.front() != kByteOrderMark) {
        return units.size();
    }
    std::copy(units.begin() + 1, units.end(), units.begin());
    return units.size() - 1;
}

// Decodes the next block of bytes into decoded_; false at the end of the
// input. The first block is the detection prefix when the encoding is unknown.
bool DecodingSource::decode_next_block() {
    if (at_end_) {
        return false;
    }
    const bool detecting = !encoding_;
    const std::string& block = read_block(detecting ? kTextCheckBytes : kBlockBytes);
    if (detecting) {
        encoding_ = detect_encoding(std::string_view(block).substr(0, kDetectionBytes));
        // A source whose encoding was named is taken for text; one that was
        // not may be any file at all.
        if (holds_no_text(block, *encoding_)) {
            fail_not_text(name_);
        }
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
    block_.resize(read_into(block_.data(), wanted));
    return block_;
}

// Up to `wanted` bytes into `bytes`; fewer only at the end of the input. A
// stream over a descriptor (InputFile) throws its own failure, with the
// system's reason; any other stream is asked afterwards.
std::size_t DecodingSource::read_into(char* bytes, std::size_t wanted) {
    errno = 0;
    const std::optional<std::size_t> read = bytes_.read(bytes, wanted);
    if (!read) {
        fail(errno != 0 ? std::strerror(errno) : "the system could not read it");
    }
    const std::size_t got = *read;
    bytes_read_ += got;
    if (progress_ && got != 0) {
        progress_(bytes_read_);
    }
    return got;
}

void DecodingSource::decode(std::string_view bytes) {
    if (*encoding_ != Encoding::utf8) {
        decode_utf16(bytes);
    } else if (const auto fault = utf8_.decode(bytes, decoded_)) {
        fail(std::string(kNotUtf8) + describe(*fault));
    }
}

void DecodingSource::decode_utf16(std::string_view bytes) {
    if (carried_byte_ && !bytes.empty()) {
        const char pair[2] = {*carried_byte_, bytes[0]};
        append_utf16_units(std::string_view(pair, 2), *encoding_, decoded_);
        carried_byte_.reset();
        bytes.remove_prefix(1);
    }
    append_utf16_units(bytes.substr(0, bytes.size() - bytes.size() % 2), *encoding_, decoded_);
    if (bytes.size() % 2 != 0) {
        carried_byte_ = bytes.back();
    }
}

void DecodingSource::finish() {
    if (carried_byte_) {
        fail(std::string(kHalfUtf16));
    }
    if (const auto fault = utf8_.finish()) {
        fail(std::string(kEndsInsideUtf8) + describe(*fault));
    }
}

void DecodingSource::fail(const std::string& reason) const {
    fail_to_read(name_, reason);
}

}  // namespace taviro
