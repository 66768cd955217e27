#include "taviro/dict/word_database_writer.h"

#include "taviro/run/file_error.h"
#include "taviro/sqlite/database.h"

namespace taviro {
namespace {

void fill_loanwords(sqlite::Database& database, const std::vector<LexiconEntry>& loanwords) {
    database.execute(kCreateLoanwordLexicon);
    sqlite::Statement insert(database, "INSERT OR REPLACE INTO loanwords (word, roman) VALUES (?1, ?2)");
    for (const LexiconEntry& entry : loanwords) {
        insert.bind_text(1, entry.word);
        insert.bind_text(2, entry.roman);
        insert.step();
        insert.reset();
    }
}

void fill(const std::filesystem::path& file, const std::vector<std::u16string>& words,
          const std::vector<LexiconEntry>* loanwords) {
    sqlite::Database database(file, sqlite::OpenMode::create, "cannot write " + quoted_name(file));
    // Programs read the words as UTF-16 at every start; kept so, SQLite hands
    // them out as they lie instead of converting each one from UTF-8.
    database.execute("PRAGMA encoding = 'UTF-16'");
    database.execute("CREATE TABLE words (words TEXT NOT NULL)");
    database.execute(kCreateUserLexicon);
    database.execute("BEGIN");
    {
        sqlite::Statement insert(database, "INSERT INTO words (words) VALUES (?1)");
        for (const std::u16string& word : words) {
            insert.bind_text(1, word);
            insert.step();
            insert.reset();
        }
    }
    if (loanwords != nullptr) {
        fill_loanwords(database, *loanwords);
    }
    database.execute("COMMIT");
    database.close();
}

}  // namespace

void write_word_database(const std::filesystem::path& file, const std::vector<std::u16string>& words,
                         const std::vector<LexiconEntry>* loanwords) {
    std::filesystem::path temporary = file;
    temporary += ".part";
    std::filesystem::remove(temporary);
    try {
        fill(temporary, words, loanwords);
        std::filesystem::rename(temporary, file);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw;
    }
}

}  // namespace taviro
