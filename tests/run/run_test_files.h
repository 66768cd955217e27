// Files for the run's tests: a fresh temporary folder per test, UTF-16LE files
// written and read back as bytes, and small SQLite dictionaries.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace taviro::testing {

// A new empty folder, removed with everything in it at the end of its scope.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const noexcept { return path_; }
    std::string operator/(std::string_view name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string utf16le_bytes(std::u16string_view text, bool with_byte_order_mark = true);
void write_bytes(const std::filesystem::path& file, std::string_view bytes);
std::string read_bytes(const std::filesystem::path& file);

// Creates `file` with the statements in `sql` (UTF-8), run one after another.
void make_database(const std::filesystem::path& file, const std::string& sql);

}  // namespace taviro::testing
