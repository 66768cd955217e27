#include "taviro/dict/dictionary_contents.h"

#include "taviro/run/dictionary_schema.h"
#include "taviro/run/file_error.h"
#include "taviro/run/word_store.h"
#include "taviro/sqlite/database.h"

namespace taviro {
namespace {

namespace fs = std::filesystem;
using sqlite::Database;
using sqlite::Statement;

Database open_dictionary(const fs::path& file) {
    Database database(file, sqlite::OpenMode::read_only, "cannot read the dictionary " + quoted_name(file));
    check_dictionary_schema(database, file);
    return database;
}

// NULLs and blobs are no text, as the word store takes them.
std::optional<std::u16string> column_text(const Statement& statement, int column) {
    const int type = sqlite3_column_type(statement.get(), column);
    if (type == SQLITE_NULL || type == SQLITE_BLOB) return std::nullopt;
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(statement.get(), column));
    if (text == nullptr) return std::nullopt;
    return std::u16string(text, static_cast<std::size_t>(sqlite3_column_bytes16(statement.get(), column)) / 2);
}

std::vector<LexiconEntry> read_lexicon(const Database& database, const std::string& table) {
    std::vector<LexiconEntry> entries;
    Statement statement(database, ("SELECT word, roman FROM " + table).c_str());
    while (statement.step()) {
        auto word = column_text(statement, 0);
        auto roman = column_text(statement, 1);
        if (word && roman && !word->empty()) entries.push_back({std::move(*word), std::move(*roman)});
    }
    return entries;
}

std::size_t count_rows(const Database& database, const std::string& table) {
    if (!has_table(database, table)) return 0;
    Statement statement(database, ("SELECT count(*) FROM " + table).c_str());
    return statement.step() ? static_cast<std::size_t>(sqlite3_column_int64(statement.get(), 0)) : 0;
}

}  // namespace

DictionaryContents read_dictionary(const fs::path& file) {
    const Database database = open_dictionary(file);
    DictionaryContents contents;
    {
        Statement statement(database, "SELECT words FROM words");
        while (statement.step()) {
            if (auto word = column_text(statement, 0)) contents.words.push_back(std::move(*word));
        }
    }
    if (has_table(database, kPronunciationsTable)) {
        contents.user_entries = read_lexicon(database, kPronunciationsTable);
    }
    if (has_table(database, kLoanwordsTable)) {
        contents.loanwords = read_lexicon(database, kLoanwordsTable);
    }
    if (has_table(database, kLoanwordSpellingsTable)) {
        contents.spellings = read_lexicon(database, kLoanwordSpellingsTable);
    }
    return contents;
}

LexiconSizes count_lexicon_entries(const fs::path& file) {
    const Database database = open_dictionary(file);
    return {count_rows(database, kPronunciationsTable), count_rows(database, kLoanwordsTable)};
}

}  // namespace taviro
