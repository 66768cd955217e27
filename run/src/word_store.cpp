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
constexpr const char* kFindViewOfWords =
    "SELECT 1 FROM sqlite_master WHERE type = 'view' AND name = 'words' COLLATE NOCASE";

StoreError store_error(const std::filesystem::path& file, const std::string& reason) {
    return StoreError("cannot read the word dictionary '" + file.string() + "': " + reason);
}

// Far longer than any text a word can become (32,767 units). The limit keeps a
// file of a few bytes from making SQLite build gigabyte texts: such a computed
// text comes out as NULL, and a stored one refuses the file as too big.
constexpr int kMaxTextBytes = 1 << 20;
constexpr int kLockWaitMilliseconds = 1000;

// The file is data from anywhere, so SQLite is told to trust nothing in it:
// no functions with side effects from its schema, no writes, short texts only.
void distrust_the_schema(sqlite3* database) {
    sqlite3_db_config(database, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(database, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_limit(database, SQLITE_LIMIT_LENGTH, kMaxTextBytes);
    // Another program writing the file holds a lock; give it a moment to finish.
    sqlite3_busy_timeout(database, kLockWaitMilliseconds);
}

// Read-only, so that a missing file is an error and never a new empty database.
// The path is made absolute so that SQLite never takes a name beginning with
// "file:" as a URI with options of its own.
Database open_read_only(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        throw store_error(file, std::filesystem::exists(file, error) ? "it is not a file"
                                                                     : "there is no such file");
    }
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    if (error) {
        throw store_error(file, error.message());
    }
    sqlite3* raw = nullptr;
    const int result = sqlite3_open_v2(absolute.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    Database database(raw);
    if (result != SQLITE_OK) {
        throw store_error(file, database ? sqlite3_errmsg(database.get()) : sqlite3_errstr(result));
    }
    distrust_the_schema(database.get());
    return database;
}

Statement prepare(sqlite3* database, const char* sql, const std::filesystem::path& file) {
    sqlite3_stmt* raw = nullptr;
    const int result = sqlite3_prepare_v2(database, sql, -1, &raw, nullptr);
    Statement statement(raw);
    if (result != SQLITE_OK) {
        throw store_error(file, sqlite3_errmsg(database));
    }
    return statement;
}

// A view named `words` could compute rows without end from a file of a few
// bytes; the dictionary is a stored table, so only a table is read.
void refuse_a_view(sqlite3* database, const std::filesystem::path& file) {
    const Statement statement = prepare(database, kFindViewOfWords, file);
    const int result = sqlite3_step(statement.get());
    if (result == SQLITE_ROW) {
        throw store_error(file, "its 'words' is a view, not a table");
    }
    if (result != SQLITE_DONE) {
        throw store_error(file, sqlite3_errmsg(database));
    }
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
    refuse_a_view(database, file);
    const Statement statement = prepare(database, kReadAllWords, file);
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

std::vector<std::filesystem::path> dictionary_candidates(const std::filesystem::path& program_folder) {
    return {program_folder / "words.mdb", (program_folder / ".." / "share" / "taviro" / "words.mdb").lexically_normal()};
}

std::filesystem::path find_dictionary(const std::filesystem::path& program_folder) {
    const std::vector<std::filesystem::path> candidates = dictionary_candidates(program_folder);
    for (const std::filesystem::path& candidate : candidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) {
            return candidate;
        }
    }
    return candidates.front();
}

}  // namespace taviro
