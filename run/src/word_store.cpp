#include "taviro/run/word_store.h"

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "taviro/spoken.h"
#include "taviro/run/dictionary_schema.h"
#include "taviro/run/file_error.h"
#include "taviro/sqlite/database.h"

namespace taviro {
namespace {

using sqlite::Database;
using sqlite::Statement;

std::string context(const std::filesystem::path& file) {
    return "cannot read the word dictionary " + quoted_name(file);
}

Database open_read_only(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        throw StoreError(context(file) + ": " +
                         (std::filesystem::exists(file, error) ? "it is not a file" : "there is no such file"));
    }
    // The connection distrusts the file from the start; the schema is judged
    // before a row is read.
    Database database(file, sqlite::OpenMode::read_only, context(file));
    check_dictionary_schema(database, file);
    return database;
}

// NULLs and blobs are no text.
std::optional<std::u16string_view> column_text(sqlite3_stmt* statement, int column) {
    const int type = sqlite3_column_type(statement, column);
    if (type == SQLITE_NULL || type == SQLITE_BLOB) {
        return std::nullopt;
    }
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(statement, column));
    const auto length = static_cast<std::size_t>(sqlite3_column_bytes16(statement, column)) / 2;
    if (text == nullptr) {
        return std::nullopt;
    }
    return std::u16string_view(text, length);
}

// An entry the character rules refuse could never match a word a run reads,
// since the run would stop at that word; it is passed over, as an empty one.
void read_lexicon(const Database& database, const std::string& table, Lexicon lexicon, MemoryDictionary& words) {
    Statement statement(database, ("SELECT word, roman FROM " + table).c_str());
    while (statement.step()) {
        const auto word = column_text(statement.get(), 0);
        const auto roman = column_text(statement.get(), 1);
        if (!word || !roman || word->empty()) {
            continue;
        }
        try {
            words.pronounce(*word, *roman, lexicon);
        } catch (const EngineError&) {
        }
    }
}

void read_spellings(const Database& database, MemoryDictionary& words) {
    Statement statement(database, (std::string("SELECT word, roman FROM ") + kLoanwordSpellingsTable).c_str());
    while (statement.step()) {
        const auto word = column_text(statement.get(), 0);
        const auto english = column_text(statement.get(), 1);
        if (!word || !english || word->empty() || english->empty()) {
            continue;
        }
        try {
            words.spell(*word, *english);
        } catch (const EngineError&) {
        }
    }
}

void read_lexicons(const Database& database, WordStoreOptions options, MemoryDictionary& words) {
    if (writes_loanwords(options.loanwords, options.spoken)) {
        if (!has_table(database, kLoanwordsTable)) {
            throw database.error("it has no loanword lexicon (table 'loanwords'), which loanwords and spoken "
                                 "forms are written from");
        }
        read_lexicon(database, kLoanwordsTable, Lexicon::loanword, words);
        if (options.scheme == Scheme::ascii && has_table(database, kLoanwordSpellingsTable)) {
            read_spellings(database, words);
        }
    }
    if (has_table(database, kPronunciationsTable)) {
        read_lexicon(database, kPronunciationsTable, Lexicon::user, words);
    }
}

// SQLite keeps text as UTF-8 and hands it out as UTF-16 in the machine's byte
// order, which is char16_t's. NULLs and blobs are no words and are skipped.
void add_row(sqlite3_stmt* statement, MemoryDictionary& words) {
    if (const auto text = column_text(statement, 0)) {
        words.add(*text);
    }
}

void read_all_words(const Database& database, MemoryDictionary& words) {
    // The words are counted first and then read, the whole column once. No
    // looked-up text ever goes into a query.
    if (Statement count(database, "SELECT count(*) FROM words"); count.step()) {
        words.reserve(static_cast<std::size_t>(sqlite3_column_int64(count.get(), 0)));
    }
    Statement statement(database, "SELECT words FROM words");
    while (statement.step()) {
        add_row(statement.get(), words);
    }
}

}  // namespace

WordStore::WordStore(const std::filesystem::path& file, WordStoreOptions options) {
    options.spoken = writes_spoken_forms(options.spoken, options.scheme);
    const Database database = open_read_only(file);
    read_all_words(database, *this);
    read_lexicons(database, options, *this);
    write({options.spoken, options.scheme});
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
