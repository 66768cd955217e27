#include "taviro/dict/user_lexicon.h"

#include "database_image.h"
#include "taviro/run/dictionary_schema.h"
#include "taviro/run/file_error.h"
#include "taviro/run/word_store.h"
#include "taviro/sqlite/database.h"
#include "taviro/word_builder.h"

namespace taviro {
namespace {

namespace fs = std::filesystem;
using sqlite::Database;
using sqlite::Statement;

constexpr const char* kReadAll = "SELECT word, roman FROM pronunciations ORDER BY word";
constexpr const char* kPut = "INSERT OR REPLACE INTO pronunciations (word, roman) VALUES (?1, ?2)";
constexpr const char* kDelete = "DELETE FROM pronunciations WHERE word = ?1";

std::u16string column(const Statement& statement, int index) {
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(statement.get(), index));
    const auto length = static_cast<std::size_t>(sqlite3_column_bytes16(statement.get(), index)) / 2;
    return text == nullptr ? std::u16string() : std::u16string(text, length);
}

// Changes the file's database in memory and puts the result in the file's
// place through the same replacing write a conversion's destination gets: the
// file keeps its permissions and links, and is either all old or all new.
template <class Change>
void change_file(const fs::path& file, const EditNotices& notices, Change change) {
    const std::string context = "cannot change the dictionary " + quoted_name(file);
    std::error_code error;
    if (!fs::is_regular_file(file, error)) {
        throw StoreError(quoted_name(file) + ": No such file or directory; start one from the installed dictionary "
                         "with cp \"$(taviro-dict path)\" " + quoted_name(file));
    }
    Database database = load_database(file, context, notices);
    check_dictionary_schema(database, file);
    database.execute(kCreateUserLexicon);
    database.execute("BEGIN");
    change(database);
    database.execute("COMMIT");
    save_database(database, file);
}

}  // namespace

std::vector<LexiconEntry> read_user_lexicon(const fs::path& file) {
    const Database database(file, sqlite::OpenMode::read_only, "cannot read the dictionary " + quoted_name(file));
    check_dictionary_schema(database, file);
    std::vector<LexiconEntry> entries;
    if (!has_table(database, "pronunciations")) {
        return entries;
    }
    Statement statement(database, kReadAll);
    while (statement.step()) {
        entries.push_back({column(statement, 0), column(statement, 1)});
    }
    return entries;
}

void add_to_user_lexicon(const fs::path& file, const std::vector<LexiconEntry>& entries,
                         const EditNotices& notices) {
    change_file(file, notices, [&](Database& database) {
        Statement put(database, kPut);
        for (const LexiconEntry& entry : entries) {
            const std::u16string key = units_as_read(entry.word);
            put.bind_text(1, key);
            put.bind_text(2, entry.roman);
            put.step();
            put.reset();
        }
    });
}

std::size_t remove_from_user_lexicon(const fs::path& file, const std::vector<std::u16string>& words,
                                     const EditNotices& notices) {
    std::size_t removed = 0;
    change_file(file, notices, [&](Database& database) {
        Statement remove(database, kDelete);
        for (const std::u16string& word : words) {
            const std::u16string key = units_as_read(word);
            remove.bind_text(1, key);
            remove.step();
            remove.reset();
            removed += static_cast<std::size_t>(sqlite3_changes(database.get()));
        }
    });
    return removed;
}

}  // namespace taviro
