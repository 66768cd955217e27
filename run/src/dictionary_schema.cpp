#include "taviro/run/dictionary_schema.h"

#include <optional>
#include <string>
#include <string_view>

#include "taviro/run/file_error.h"
#include "taviro/run/word_store.h"

namespace taviro {
namespace {

using sqlite::Database;
using sqlite::Statement;

// sqlite_master is read as a table of texts; a SELECT on it runs nothing the
// file holds, and the connection fires no trigger and computes no view anyway.
constexpr const char* kReadSchema = "SELECT type, name, sql FROM sqlite_master ORDER BY rowid";
constexpr const char* kFindTable = "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE";
// table_xinfo lists generated columns too, which SELECT reads like any other.
constexpr const char* kFindColumn = "SELECT 1 FROM pragma_table_xinfo(?1) WHERE name = ?2 COLLATE NOCASE";

std::u16string units(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

std::string text(const Statement& statement, int column) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), column));
    return bytes == nullptr ? std::string() : std::string(bytes, static_cast<std::size_t>(
                                                                     sqlite3_column_bytes(statement.get(), column)));
}

// The next keyword of a statement as SQLite's tokenizer finds it: blanks and
// both kinds of comment may stand between keywords, in any case.
class Keywords {
public:
    explicit Keywords(std::string_view sql) : rest_(sql) {}

    std::string next() {
        skip_blanks_and_comments();
        std::string word;
        while (!rest_.empty() && is_word_character(rest_.front())) {
            word.push_back(static_cast<char>(lower(rest_.front())));
            rest_.remove_prefix(1);
        }
        return word;
    }

private:
    static bool is_word_character(char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    }
    static char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

    void skip_blanks_and_comments() {
        while (!rest_.empty()) {
            if (rest_.front() == ' ' || rest_.front() == '\t' || rest_.front() == '\n' || rest_.front() == '\f' ||
                rest_.front() == '\r') {
                rest_.remove_prefix(1);
            } else if (rest_.starts_with("--")) {
                const auto end = rest_.find('\n');
                rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
            } else if (rest_.starts_with("/*")) {
                const auto end = rest_.find("*/", 2);
                rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 2);
            } else {
                return;
            }
        }
    }

    std::string_view rest_;
};

// What a CREATE statement of the schema makes, when it is something that runs.
// SQLite checks a row's type against its statement when it loads the schema,
// except that a virtual table is of type 'table' like a stored one; only the
// statement tells them apart, whatever its spelling.
std::optional<std::string_view> code_in(std::string_view sql) {
    Keywords keywords(sql);
    if (keywords.next() != "create") return std::nullopt;
    std::string kind = keywords.next();
    if (kind == "temp" || kind == "temporary") kind = keywords.next();
    if (kind == "trigger") return "a trigger";
    if (kind == "view") return "a view";
    if (kind == "virtual") return "a virtual table";
    return std::nullopt;
}

std::optional<std::string_view> code_in(std::string_view type, std::string_view sql) {
    if (type == "trigger") return "a trigger";
    if (type == "view") return "a view";
    return code_in(sql);
}

void refuse_code(const Database& database, const std::filesystem::path& file) {
    Statement schema(database, kReadSchema);
    while (schema.step()) {
        if (const auto code = code_in(text(schema, 0), text(schema, 2))) {
            throw StoreError(quoted_name(file) + " holds " + std::string(*code) + " " +
                             quoted_name(text(schema, 1)) + "; a dictionary is data only");
        }
    }
}

bool has_column(const Database& database, std::string_view table, std::string_view column) {
    Statement statement(database, kFindColumn);
    statement.bind_text(1, units(table));
    statement.bind_text(2, units(column));
    return statement.step();
}

void require_columns(const Database& database, std::string_view table, std::initializer_list<std::string_view> columns) {
    for (const std::string_view column : columns) {
        if (!has_column(database, table, column)) {
            throw database.error("no such column '" + std::string(column) + "' in table '" + std::string(table) + "'");
        }
    }
}

}  // namespace

bool has_table(const Database& database, std::string_view table) {
    Statement statement(database, kFindTable);
    statement.bind_text(1, units(table));
    return statement.step();
}

void check_dictionary_schema(const Database& database, const std::filesystem::path& file) {
    refuse_code(database, file);
    if (!has_table(database, "words")) {
        throw database.error("no such table 'words'");
    }
    require_columns(database, "words", {"words"});
    for (const std::string_view lexicon : {kPronunciationsTable, kLoanwordsTable, kLoanwordSpellingsTable}) {
        if (has_table(database, lexicon)) {
            require_columns(database, lexicon, {"word", "roman"});
        }
    }
}

}  // namespace taviro
