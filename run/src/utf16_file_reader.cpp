#include "taviro/run/utf16_file_reader.h"

#include <cerrno>

#include "taviro/run/file_error.h"

namespace taviro {

Utf16FileReader::Utf16FileReader(const std::filesystem::path& file)
    : path_(file), units_(file_, Encoding::utf16le, quoted_name(file)) {
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
    return units_.read(units);
}

}  // namespace taviro
