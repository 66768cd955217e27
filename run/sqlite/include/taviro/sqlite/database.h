// SQLite handles that close themselves: a database and a prepared statement,
// movable and not copyable, whose constructors and calls throw StoreError
// instead of returning codes, so that no failure goes unnoticed and no handle
// is left open on any path.
//
// Every message begins with the context the database was opened with, such as
// "cannot read the word dictionary 'words.mdb'", and ends with SQLite's reason.
// It is for the project's own code and tests: sqlite3.h stays out of the
// public headers of the layers.
//
// Dictionaries travel between users, so every connection distrusts the file it
// reads: before the first read it turns off triggers, views, extension loading
// and the functions a schema could call, refuses to corrupt the file on request,
// keeps texts and statements short and attaches no other database. It does not
// judge the file's schema; check_dictionary_schema() does.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "taviro/run/store_error.h"

namespace taviro::sqlite {

enum class OpenMode {
    read_only,  // a missing file is an error, never a new empty database
    create,     // read and write, made when missing
};

class Database {
public:
    // Opens `file` by its absolute path, so that a name beginning with "file:"
    // is never taken for a URI with options of its own.
    Database(const std::filesystem::path& file, OpenMode mode, std::string context);
    // An empty database in memory, as distrustful as a file's, into which a
    // file's bytes can be loaded with sqlite3_deserialize and changed there.
    static Database in_memory(std::string context);

    sqlite3* get() const noexcept { return handle_.get(); }
    // Runs statements that return no rows.
    void execute(const char* sql);
    // Closes now and checks it; the destructor closes quietly.
    void close();
    // A StoreError with the context and SQLite's latest reason.
    StoreError error() const;
    StoreError error(std::string_view reason) const;

private:
    explicit Database(std::string context);
    void open(const char* name, int flags);
    void distrust_the_file();

    struct Closer {
        void operator()(sqlite3* handle) const noexcept { sqlite3_close(handle); }
    };
    std::unique_ptr<sqlite3, Closer> handle_;
    std::string context_;
};

class Statement {
public:
    Statement(const Database& database, const char* sql);

    // True with a row to read, false when there are no more.
    bool step();
    void reset();
    // SQLite copies the text: it need not outlive the call.
    void bind_text(int index, std::u16string_view text);
    sqlite3_stmt* get() const noexcept { return handle_.get(); }

private:
    struct Finalizer {
        void operator()(sqlite3_stmt* handle) const noexcept { sqlite3_finalize(handle); }
    };
    const Database* database_;
    std::unique_ptr<sqlite3_stmt, Finalizer> handle_;
};

}  // namespace taviro::sqlite
