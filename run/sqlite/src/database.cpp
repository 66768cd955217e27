#include "taviro/sqlite/database.h"

#include <system_error>
#include <utility>

namespace taviro::sqlite {
namespace {

// Far longer than any text a word can become (32,767 units). The limit keeps a
// file of a few bytes from making SQLite build gigabyte texts: such a computed
// text comes out as NULL, and a stored one refuses the file as too big.
constexpr int kMaxTextBytes = 1 << 20;
// A dictionary's schema is a few short CREATE statements and the programs'
// own statements are shorter still; SQLite parses the schema's texts under
// this limit too, so a file cannot feed it megabytes of SQL.
constexpr int kMaxStatementBytes = 1 << 16;
// Nothing the programs do attaches a second database; a schema cannot either.
constexpr int kMaxAttached = 0;
// Another program writing the file holds a lock; give it a moment to finish.
constexpr int kLockWaitMilliseconds = 1000;

// A connection serves one thread at a time, so SQLite need not lock it.
constexpr int kFileFlags = SQLITE_OPEN_NOMUTEX;
constexpr int kWriteFlags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;

struct Switch {
    int option;
    int on;
    const char* what;  // what SQLite would not do, for the message
};

// The file is data from anywhere, so it gets no say in what runs: no trigger
// fires and no view is computed (a view can make rows without end from a few
// bytes), its schema may call no function with side effects, no extension is
// loaded, and no statement may write the file's pages or schema directly.
constexpr Switch kSwitches[] = {
    {SQLITE_DBCONFIG_DEFENSIVE, 1, "refuse to corrupt the file"},
    {SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, "distrust the file's schema"},
    {SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, "turn off triggers"},
    {SQLITE_DBCONFIG_ENABLE_VIEW, 0, "turn off views"},
    {SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, "turn off loading extensions"},
};

struct Limit {
    int id;
    int value;
    const char* what;
};

constexpr Limit kLimits[] = {
    {SQLITE_LIMIT_LENGTH, kMaxTextBytes, "limit the length of a text"},
    {SQLITE_LIMIT_SQL_LENGTH, kMaxStatementBytes, "limit the length of a statement"},
    {SQLITE_LIMIT_ATTACHED, kMaxAttached, "refuse to attach databases"},
};

}  // namespace

Database::Database(const std::filesystem::path& file, OpenMode mode, std::string context)
    : context_(std::move(context)) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    if (error) {
        throw this->error(error.message());
    }
    open(absolute.c_str(), kFileFlags | (mode == OpenMode::read_only ? SQLITE_OPEN_READONLY : kWriteFlags));
}

Database::Database(std::string context) : context_(std::move(context)) {}

Database Database::in_memory(std::string context) {
    Database database(std::move(context));
    database.open(":memory:", kFileFlags | kWriteFlags | SQLITE_OPEN_MEMORY);
    return database;
}

void Database::open(const char* name, int flags) {
    sqlite3* raw = nullptr;
    const int result = sqlite3_open_v2(name, &raw, flags, nullptr);
    handle_.reset(raw);
    if (result != SQLITE_OK) {
        throw handle_ ? error() : error(sqlite3_errstr(result));
    }
    distrust_the_file();
}

// Before the first statement, which is when SQLite first reads the file: the
// settings belong to the connection and hold for whatever it reads later,
// bytes loaded with sqlite3_deserialize too. A SQLite that will not take one
// of them is refused rather than trusted.
void Database::distrust_the_file() {
    for (const Switch& setting : kSwitches) {
        int now = -1;
        if (sqlite3_db_config(get(), setting.option, setting.on, &now) != SQLITE_OK || now != setting.on) {
            throw error(std::string("SQLite would not ") + setting.what);
        }
    }
    for (const Limit& limit : kLimits) {
        sqlite3_limit(get(), limit.id, limit.value);
        if (sqlite3_limit(get(), limit.id, -1) != limit.value) {
            throw error(std::string("SQLite would not ") + limit.what);
        }
    }
    if (sqlite3_busy_timeout(get(), kLockWaitMilliseconds) != SQLITE_OK) {
        throw error();
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
