#include "run_test_files.h"

#include <sqlite3.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace taviro::testing {

TemporaryFolder::TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "taviro-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string utf16le_bytes(std::u16string_view text, bool with_byte_order_mark) {
    std::string bytes = with_byte_order_mark ? std::string("\xFF\xFE") : std::string();
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

void write_bytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream stream(file, std::ios::binary);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!stream.flush()) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

std::string read_bytes(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// Written as any other program could write it, without the distrust and the
// limits the programs' own connections have, so that tests can make the
// hostile files those connections must refuse.
void make_database(const std::filesystem::path& file, const std::string& sql) {
    // By its absolute path, so that a name beginning with "file:" is no URI.
    const std::filesystem::path absolute = std::filesystem::absolute(file);
    sqlite3* database = nullptr;
    const int opened = sqlite3_open_v2(absolute.c_str(), &database, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    char* error = nullptr;
    const bool made = opened == SQLITE_OK && sqlite3_exec(database, sql.c_str(), nullptr, nullptr, &error) == SQLITE_OK;
    const std::string reason = error != nullptr ? error : sqlite3_errmsg(database);
    sqlite3_free(error);
    if (sqlite3_close(database) != SQLITE_OK || !made) {
        throw std::runtime_error("cannot make the test database " + file.string() + ": " + reason);
    }
}

}  // namespace taviro::testing
