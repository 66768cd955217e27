#include "taviro/sqlite/database.h"

#include <system_error>

namespace taviro::sqlite {

Database::Database(const std::filesystem::path& file, OpenMode mode, std::string context)
    : context_(std::move(context)) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    if (error) {
        throw this->error(error.message());
    }
    // A connection serves one thread at a time, so SQLite need not lock it.
    const int flags = SQLITE_OPEN_NOMUTEX |
                      (mode == OpenMode::read_only ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    sqlite3* raw = nullptr;
    const int result = sqlite3_open_v2(absolute.c_str(), &raw, flags, nullptr);
    handle_.reset(raw);
    if (result != SQLITE_OK) {
        throw handle_ ? this->error() : this->error(sqlite3_errstr(result));
    }
}

void Database::execute(const char* sql) {
    if (sqlite3_exec(get(), sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        throw error();
    }
}

void Database::close() {
    if (sqlite3_close(get()) != SQLITE_OK) {
        throw error();
    }
    static_cast<void>(handle_.release());
}

StoreError Database::error() const { return error(sqlite3_errmsg(get())); }

StoreError Database::error(std::string_view reason) const {
    return StoreError(context_ + ": " + std::string(reason));
}

Statement::Statement(const Database& database, const char* sql) : database_(&database) {
    sqlite3_stmt* raw = nullptr;
    const int result = sqlite3_prepare_v2(database.get(), sql, -1, &raw, nullptr);
    handle_.reset(raw);
    if (result != SQLITE_OK) {
        throw database.error();
    }
}

bool Statement::step() {
    const int result = sqlite3_step(get());
    if (result == SQLITE_ROW) return true;
    if (result == SQLITE_DONE) return false;
    throw database_->error();
}

void Statement::reset() {
    if (sqlite3_reset(get()) != SQLITE_OK) {
        throw database_->error();
    }
}

// SQLite keeps its own copy: a caller's text may be gone before the statement runs.
void Statement::bind_text(int index, std::u16string_view text) {
    const auto bytes = static_cast<int>(text.size() * sizeof(char16_t));
    if (sqlite3_bind_text16(get(), index, text.data(), bytes, SQLITE_TRANSIENT) != SQLITE_OK) {
        throw database_->error();
    }
}

}  // namespace taviro::sqlite
