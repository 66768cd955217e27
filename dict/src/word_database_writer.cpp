#include "taviro/dict/word_database_writer.h"

#include "database_image.h"
#include "taviro/run/file_error.h"
#include "taviro/sqlite/database.h"

namespace taviro {
namespace {

void fill_lexicon(sqlite::Database& database, const char* insert_entry, const std::vector<LexiconEntry>& entries) {
    sqlite::Statement insert(database, insert_entry);
    for (const LexiconEntry& entry : entries) {
        insert.bind_text(1, entry.word);
        insert.bind_text(2, entry.roman);
        insert.step();
        insert.reset();
    }
}

void fill(sqlite::Database& database, const std::vector<std::u16string>& words,
          const std::vector<LexiconEntry>* loanwords, const std::vector<LexiconEntry>& user_entries,
          const std::vector<LexiconEntry>* spellings) {
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
    fill_lexicon(database, "INSERT OR REPLACE INTO pronunciations (word, roman) VALUES (?1, ?2)", user_entries);
    if (loanwords != nullptr) {
        database.execute(kCreateLoanwordLexicon);
        fill_lexicon(database, "INSERT OR REPLACE INTO loanwords (word, roman) VALUES (?1, ?2)", *loanwords);
        if (spellings != nullptr) {
            database.execute(kCreateLoanwordSpellings);
            fill_lexicon(database, "INSERT OR REPLACE INTO loanword_spellings (word, roman) VALUES (?1, ?2)",
                         *spellings);
        }
    }
    database.execute("COMMIT");
}

}  // namespace

// Built in memory and written through the safe replacement: a failed or killed
// build leaves the file as it was, and nothing beside it.
void write_word_database(const std::filesystem::path& file, const std::vector<std::u16string>& words,
                         const std::vector<LexiconEntry>* loanwords, const std::vector<LexiconEntry>& user_entries,
                         const std::vector<LexiconEntry>* spellings) {
    sqlite::Database database = sqlite::Database::in_memory("cannot write " + quoted_name(file));
    fill(database, words, loanwords, user_entries, spellings);
    save_database(database, file);
}

}  // namespace taviro
