#include "taviro/run/utf16_file_writer.h"

#include <cerrno>

#include "file_error.h"

namespace taviro {
namespace {

constexpr std::size_t kBlockBytes = 65536;
constexpr char kByteOrderMark[] = {'\xFF', '\xFE'};

}  // namespace

Utf16FileWriter::Utf16FileWriter(const std::filesystem::path& file) : path_(file) {
    errno = 0;
    file_.open(file, std::ios::binary | std::ios::trunc);
    if (!file_.is_open()) {
        throw file_error("create", path_);
    }
    bytes_.reserve(kBlockBytes + kBlockBytes / 8);
    bytes_.assign(std::begin(kByteOrderMark), std::end(kByteOrderMark));
}

Utf16FileWriter::~Utf16FileWriter() {
    if (file_.is_open()) {
        file_.write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
    }
}

void Utf16FileWriter::write(std::u16string_view text) {
    if (!file_.is_open()) {
        throw RunError("cannot write '" + path_.string() + "': it is closed");
    }
    for (const char16_t unit : text) {
        bytes_.push_back(static_cast<char>(unit & 0xFF));
        bytes_.push_back(static_cast<char>(unit >> 8));
    }
    if (bytes_.size() >= kBlockBytes) {
        write_out();
    }
}

void Utf16FileWriter::close() {
    if (!file_.is_open()) {
        return;
    }
    write_out();
    errno = 0;
    file_.close();
    if (file_.fail()) {
        throw file_error("write", path_);
    }
}

void Utf16FileWriter::write_out() {
    errno = 0;
    file_.write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
    file_.flush();
    // Dropped even on failure, so that the destructor never writes a block twice.
    bytes_.clear();
    if (file_.fail()) {
        throw file_error("write", path_);
    }
}

}  // namespace taviro
