#include "run_test_files.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "taviro/sqlite/database.h"

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

void make_database(const std::filesystem::path& file, const std::string& sql) {
    sqlite::Database database(file, sqlite::OpenMode::create, "cannot make the test database");
    database.execute(sql.c_str());
    database.close();
}

}  // namespace taviro::testing
