#include "taviro/run/utf16_file_writer.h"

#include <bit>
#include <cerrno>

#include "taviro/run/file_error.h"

namespace taviro {
namespace {

constexpr std::size_t kBlockUnits = 32768;
constexpr char16_t kByteOrderMark = u'\uFEFF';

}  // namespace

Utf16FileWriter::Utf16FileWriter(const std::filesystem::path& file) : path_(file) {
    errno = 0;
    file_.open(file, std::ios::binary | std::ios::trunc);
    if (!file_.is_open()) {
        throw file_error("create", path_);
    }
    units_.reserve(kBlockUnits + kBlockUnits / 8);
    units_.push_back(kByteOrderMark);
}

Utf16FileWriter::~Utf16FileWriter() {
    if (!closed_) {
        try {
            write_out();
        } catch (const RunError&) {
            // Already on a failure path; the caller reports that failure.
        }
    }
}

void Utf16FileWriter::write(std::u16string_view text) {
    if (closed_) {
        throw RunError("cannot write '" + path_.string() + "': it is closed");
    }
    units_.append(text);
    if (units_.size() >= kBlockUnits) {
        write_out();
    }
}

void Utf16FileWriter::close() {
    if (closed_) {
        return;
    }
    closed_ = true;
    write_out();
    errno = 0;
    file_.close();
    if (file_.fail()) {
        throw file_error("write", path_);
    }
}

// Little-endian machines write the units as they lie in memory; others turn
// them into little-endian bytes first.
void Utf16FileWriter::write_out() {
    errno = 0;
    if constexpr (std::endian::native == std::endian::little) {
        file_.write(reinterpret_cast<const char*>(units_.data()), static_cast<std::streamsize>(2 * units_.size()));
    } else {
        std::string bytes;
        bytes.reserve(2 * units_.size());
        for (const char16_t unit : units_) {
            bytes.push_back(static_cast<char>(unit & 0xFF));
            bytes.push_back(static_cast<char>(unit >> 8));
        }
        file_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    file_.flush();
    // Dropped even on failure, so that the destructor never writes a block twice.
    units_.clear();
    if (file_.fail()) {
        throw file_error("write", path_);
    }
}

}  // namespace taviro
