#include "taviro/run/utf16_file_writer.h"

#include <cerrno>

#include "file_error.h"

namespace taviro {
namespace {

constexpr std::size_t kBlockBytes = 65536;
constexpr unsigned char kByteOrderMark[] = {0xFF, 0xFE};

}  // namespace

Utf16FileWriter::Utf16FileWriter(const std::filesystem::path& file) : path_(file) {
    errno = 0;
    file_.reset(std::fopen(file.c_str(), "wb"));
    if (!file_) {
        throw file_error("create", path_);
    }
    bytes_.reserve(kBlockBytes + 2 * kBlockBytes / 16);
    bytes_.assign(std::begin(kByteOrderMark), std::end(kByteOrderMark));
}

Utf16FileWriter::~Utf16FileWriter() {
    if (file_) {
        std::fwrite(bytes_.data(), 1, bytes_.size(), file_.get());
    }
}

void Utf16FileWriter::write(std::u16string_view text) {
    if (!file_) {
        throw RunError("cannot write '" + path_.string() + "': it is closed");
    }
    for (const char16_t unit : text) {
        bytes_.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes_.push_back(static_cast<unsigned char>(unit >> 8));
    }
    if (bytes_.size() >= kBlockBytes) {
        write_out();
    }
}

void Utf16FileWriter::close() {
    if (!file_) {
        return;
    }
    write_out();
    errno = 0;
    const int result = std::fclose(file_.release());
    if (result != 0) {
        throw file_error("write", path_);
    }
}

void Utf16FileWriter::write_out() {
    errno = 0;
    const std::size_t written = std::fwrite(bytes_.data(), 1, bytes_.size(), file_.get());
    const bool failed = written != bytes_.size() || std::fflush(file_.get()) != 0;
    // Dropped even on failure, so that the destructor never writes a block twice.
    bytes_.clear();
    if (failed) {
        throw file_error("write", path_);
    }
}

}  // namespace taviro
