#include "taviro/run/utf16_file_reader.h"

#include <bit>
#include <cerrno>
#include <cstring>

#include "taviro/run/file_error.h"

namespace taviro {
namespace {

constexpr char16_t kByteOrderMark = u'\uFEFF';

char16_t unit_at(const char* bytes) {
    const auto low = static_cast<unsigned char>(bytes[0]);
    const auto high = static_cast<unsigned char>(bytes[1]);
    return static_cast<char16_t>(low | (high << 8));
}

}  // namespace

Utf16FileReader::Utf16FileReader(const std::filesystem::path& file) : path_(file) {
    errno = 0;
    file_.open(file, std::ios::binary);
    if (!file_.is_open()) {
        throw file_error("open", path_);
    }
}

std::size_t Utf16FileReader::read(std::span<char16_t> units) {
    if (!file_.is_open()) {
        throw RunError("cannot read " + quoted_name(path_.string()) + ": it is closed");
    }
    std::size_t count = 0;
    while (count == 0) {
        const std::size_t byte_count = read_bytes(units.size() * 2);
        if (byte_count == 0) {
            return 0;
        }
        count = decode(byte_count, units);
    }
    return count;
}

// Reads up to `wanted` bytes into bytes_, after a byte carried over from the
// last call, and returns how many bytes bytes_ now holds; 0 at the end.
std::size_t Utf16FileReader::read_bytes(std::size_t wanted) {
    const std::size_t carried = carries_byte_ ? 1 : 0;
    bytes_.resize(wanted + carried);
    errno = 0;
    file_.read(bytes_.data() + carried, static_cast<std::streamsize>(wanted));
    const auto got = static_cast<std::size_t>(file_.gcount());
    if (file_.bad()) {
        throw file_error("read", path_);
    }
    if (got == 0 && carried != 0) {
        throw RunError("cannot read '" + path_.string() +
                       "': it ends in half a UTF-16 character (an odd number of bytes)");
    }
    return got == 0 ? 0 : got + carried;
}

// Turns the complete byte pairs of bytes_ into units and keeps an odd last byte
// for the next call. Returns the number of units given.
std::size_t Utf16FileReader::decode(std::size_t byte_count, std::span<char16_t> units) {
    const char* from = bytes_.data();
    std::size_t count = byte_count / 2;
    if (at_start_ && count > 0) {
        at_start_ = false;
        if (unit_at(from) == kByteOrderMark) {
            from += 2;
            --count;
        }
    }
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(units.data(), from, count * 2);
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            units[i] = unit_at(from + 2 * i);
        }
    }
    carries_byte_ = byte_count % 2 != 0;
    if (carries_byte_) {
        bytes_[0] = bytes_[byte_count - 1];
    }
    return count;
}

}  // namespace taviro
