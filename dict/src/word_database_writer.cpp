#include "taviro/dict/word_database_writer.h"

#include <sqlite3.h>

#include <memory>
#include <stdexcept>

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

[[noreturn]] void fail(sqlite3* database, const std::filesystem::path& file) {
    throw std::runtime_error("cannot write '" + file.string() + "': " + sqlite3_errmsg(database));
}

Database create(const std::filesystem::path& file) {
    sqlite3* raw = nullptr;
    const int result = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Database database(raw);
    if (result != SQLITE_OK) {
        if (!database) {
            throw std::runtime_error("cannot create '" + file.string() + "': " + sqlite3_errstr(result));
        }
        fail(database.get(), file);
    }
    return database;
}

void execute(sqlite3* database, const char* sql, const std::filesystem::path& file) {
    if (sqlite3_exec(database, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        fail(database, file);
    }
}

void insert_all(sqlite3* database, const std::vector<std::u16string>& words, const std::filesystem::path& file) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(database, "INSERT INTO words (words) VALUES (?1)", -1, &raw, nullptr) != SQLITE_OK) {
        fail(database, file);
    }
    const Statement insert(raw);
    for (const std::u16string& word : words) {
        const auto bytes = static_cast<int>(word.size() * sizeof(char16_t));
        if (sqlite3_bind_text16(insert.get(), 1, word.data(), bytes, SQLITE_STATIC) != SQLITE_OK ||
            sqlite3_step(insert.get()) != SQLITE_DONE || sqlite3_reset(insert.get()) != SQLITE_OK) {
            fail(database, file);
        }
    }
}

void fill(const std::filesystem::path& file, const std::vector<std::u16string>& words) {
    Database database = create(file);
    execute(database.get(), "CREATE TABLE words (words TEXT NOT NULL)", file);
    execute(database.get(), "BEGIN", file);
    insert_all(database.get(), words, file);
    execute(database.get(), "COMMIT", file);
    if (sqlite3_close(database.release()) != SQLITE_OK) {
        throw std::runtime_error("cannot close '" + file.string() + "'");
    }
}

}  // namespace

void write_word_database(const std::filesystem::path& file, const std::vector<std::u16string>& words) {
    std::filesystem::path temporary = file;
    temporary += ".part";
    std::filesystem::remove(temporary);
    try {
        fill(temporary, words);
        std::filesystem::rename(temporary, file);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw;
    }
}

}  // namespace taviro
