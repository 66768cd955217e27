// Reads a UTF-16LE text file, the windows' own files, in large blocks. A
// leading byte-order mark is skipped; a file of odd byte length is an error,
// never a silently lost byte. The bytes are decoded by encoding/'s
// DecodingSource, as every other source is.
#pragma once

#include <filesystem>
#include <fstream>

#include "taviro/convert/unit_source.h"
#include "taviro/encoding/decoding_source.h"

namespace taviro {

class Utf16FileReader final : public UnitSource {
public:
    // Throws RunError when the file cannot be opened.
    explicit Utf16FileReader(const std::filesystem::path& file);

    std::size_t read(std::span<char16_t> units) override;
    // Releases the file; reading after it is an error.
    void close() { file_.close(); }

private:
    std::filesystem::path path_;
    std::ifstream file_;
    DecodingSource units_;  // over file_
};

}  // namespace taviro
