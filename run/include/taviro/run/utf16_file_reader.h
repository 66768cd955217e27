// Reads a UTF-16LE text file in large blocks. A leading byte-order mark is
// skipped; a file of odd byte length is an error, never a silently lost byte.
#pragma once

#include <filesystem>
#include <fstream>
#include <vector>

#include "taviro/convert/unit_source.h"

namespace taviro {

class Utf16FileReader final : public UnitSource {
public:
    // Throws RunError when the file cannot be opened.
    explicit Utf16FileReader(const std::filesystem::path& file);

    std::size_t read(std::span<char16_t> units) override;
    // Releases the file; reading after it is an error.
    void close() { file_.close(); }

private:
    std::size_t read_bytes(std::size_t wanted);
    std::size_t decode(std::size_t byte_count, std::span<char16_t> units);

    std::filesystem::path path_;
    std::ifstream file_;
    std::vector<char> bytes_;
    bool carries_byte_ = false;   // an odd byte read last time waits for its partner
    bool at_start_ = true;        // the byte-order mark may still come
};

}  // namespace taviro
