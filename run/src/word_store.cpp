#include "taviro/run/word_store.h"

#include <sqlite3.h>

#include <memory>
#include <system_error>

namespace taviro {
namespace {

struct DatabaseCloser {
    void operator()(sqlite3* database) const noexcept { sqlite3_close(database); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const noexcept { sqlite3_finalize(statement); }
};
using Database = std::unique_ptr<sqlite3, DatabaseCloser>;
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// The one query: the whole column, once. No looked-up text ever goes into it.
constexpr const char* kReadAllWords = "SELECT words FROM words";

StoreError store_error(const std::filesystem::path& file, const std::string& reason) {
    return StoreError("cannot read the word dictionary '" + file.string() + "': " + reason);
}

// Read-only, so that a missing file is an error and never a new empty database.
Database open_read_only(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        throw store_error(file, std::filesystem::exists(file, error) ? "it is not a file"
                                                                     : "there is no such file");
    }
    sqlite3* raw = nullptr;
    const int result = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    Database database(raw);
    if (result != SQLITE_OK) {
        throw store_error(file, database ? sqlite3_errmsg(database.get()) : sqlite3_errstr(result));
    }
    return database;
}

Statement prepare(sqlite3* database, const std::filesystem::path& file) {
    sqlite3_stmt* raw = nullptr;
    const int result = sqlite3_prepare_v2(database, kReadAllWords, -1, &raw, nullptr);
    Statement statement(raw);
    if (result != SQLITE_OK) {
        throw store_error(file, sqlite3_errmsg(database));
    }
    return statement;
}

// SQLite keeps text as UTF-8 and hands it out as UTF-16 in the machine's byte
// order, which is char16_t's. NULLs and blobs are no words and are skipped.
void add_row(sqlite3_stmt* statement, MemoryDictionary& words) {
    const int type = sqlite3_column_type(statement, 0);
    if (type == SQLITE_NULL || type == SQLITE_BLOB) {
        return;
    }
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(statement, 0));
    const auto length = static_cast<std::size_t>(sqlite3_column_bytes16(statement, 0)) / 2;
    if (text != nullptr) {
        words.add(std::u16string_view(text, length));
    }
}

void read_all_words(sqlite3* database, const std::filesystem::path& file, MemoryDictionary& words) {
    const Statement statement = prepare(database, file);
    int result = SQLITE_ROW;
    while ((result = sqlite3_step(statement.get())) == SQLITE_ROW) {
        add_row(statement.get(), words);
    }
    if (result != SQLITE_DONE) {
        throw store_error(file, sqlite3_errmsg(database));
    }
}

}  // namespace

WordStore::WordStore(const std::filesystem::path& file) {
    const Database database = open_read_only(file);
    read_all_words(database.get(), file, words_);
}

std::size_t WordStore::count(std::u16string_view text) const {
    return words_.count(text);
}

std::size_t WordStore::size() const noexcept {
    return words_.size();
}

std::filesystem::path default_dictionary_path() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        throw StoreError("cannot find the program's folder: " + error.message());
    }
    return program.parent_path() / "words.mdb";
}

}  // namespace taviro
