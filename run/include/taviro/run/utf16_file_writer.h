// Writes a UTF-16LE text file that begins with the byte-order mark FF FE,
// creating or emptying it, in large blocks. Every write is checked, and so is
// close(): only a successful close() means the text is in the file.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "taviro/run/unit_sink.h"

namespace taviro {

class Utf16FileWriter final : public UnitSink {
public:
    // Throws RunError when the file cannot be created or opened for writing.
    explicit Utf16FileWriter(const std::filesystem::path& file);
    // Without close(), writes out what it can and closes the file quietly: the
    // caller is already on a failure path.
    ~Utf16FileWriter();
    Utf16FileWriter(const Utf16FileWriter&) = delete;
    Utf16FileWriter& operator=(const Utf16FileWriter&) = delete;

    void write(std::u16string_view text) override;
    // Writes out the rest and closes the file. Throws RunError on any failure.
    void close();

private:
    void write_out();

    std::filesystem::path path_;
    std::ofstream file_;
    std::u16string units_;  // written out in blocks
    bool closed_ = false;
};

}  // namespace taviro
