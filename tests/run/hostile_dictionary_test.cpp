// Dictionaries made by someone else: whatever a file holds, opening it runs
// nothing. A file that holds code is refused with a sentence that names it; a
// harmless oddity (extra columns, a WAL file beside it) gives the right words.

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>

#include "run_test_files.h"
#include "taviro/run/file_error.h"
#include "taviro/run/word_store.h"
#include "taviro/sqlite/database.h"

namespace taviro {
namespace {

namespace fs = std::filesystem;
using testing::TemporaryFolder;
using testing::make_database;
using testing::read_bytes;
using testing::write_bytes;

const std::string kWords = "CREATE TABLE words (words TEXT); INSERT INTO words VALUES ('kamal'), ('nayan');";
const std::string kLexicons =
    "CREATE TABLE pronunciations (word TEXT, roman TEXT);"
    "INSERT INTO pronunciations VALUES ('ਜਲਂਧਰ', 'jalandhar');"
    "CREATE TABLE loanwords (word TEXT, roman TEXT);";
// Each would empty the dictionary as soon as anything wrote the table.
const std::string kEmptyingTrigger = " BEGIN DELETE FROM words; DELETE FROM pronunciations; END;";

// A WAL-mode dictionary whose writer stopped before it put the WAL back into
// the file: the word 'tara' is only in the -wal beside it.
void make_unfinished_wal(const fs::path& file) {
    make_database(file, kWords + kLexicons + "PRAGMA journal_mode = WAL;");
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &database), SQLITE_OK);
    ASSERT_EQ(sqlite3_db_config(database, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(database, "INSERT INTO words VALUES ('tara')", nullptr, nullptr, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_close(database), SQLITE_OK);
    ASSERT_TRUE(fs::exists(fs::path(file) += "-wal"));
}

struct Hostile {
    const char* name;
    std::function<void(const fs::path&)> make;
    // The whole message, "{}" standing for the file's quoted name; nullptr
    // when the file opens with `words` words and the user lexicon's entry.
    const char* refusal;
    std::size_t words = 2;
};

void PrintTo(const Hostile& hostile, std::ostream* out) { *out << hostile.name; }

std::function<void(const fs::path&)> sql(std::string statements) {
    return [statements = std::move(statements)](const fs::path& file) { make_database(file, statements); };
}

class HostileDictionary : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostileDictionary, IsRefusedByNameOrReadAsData) {
    const Hostile& hostile = GetParam();
    TemporaryFolder folder;
    const fs::path file = folder.path() / "words.mdb";
    hostile.make(file);
    const std::string before = read_bytes(file);
    std::optional<WordStore> store;
    std::string message;
    try {
        store.emplace(file);
    } catch (const StoreError& error) {
        message = error.what();
    }
    if (hostile.refusal != nullptr) {
        std::string expected = hostile.refusal;
        expected.replace(expected.find("{}"), 2, quoted_name(file));
        EXPECT_EQ(message, expected);
    } else if (store) {
        EXPECT_EQ(store->size(), hostile.words);
        const auto entry = store->pronunciation(u"ਜਲੰਧਰ");
        EXPECT_EQ(entry ? entry->roman : u"", u"jalandhar");
    } else {
        ADD_FAILURE() << "refused: " << message;
    }
    EXPECT_EQ(read_bytes(file), before) << "the dictionary was changed";
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileDictionary,
    ::testing::Values(
        Hostile{"TriggerOnWords", sql(kWords + kLexicons + "CREATE TRIGGER t AFTER INSERT ON words" + kEmptyingTrigger),
                "{} holds a trigger 't'; a dictionary is data only"},
        Hostile{"TriggerOnTheUserLexicon",
                sql(kWords + kLexicons + "CREATE TRIGGER t AFTER INSERT ON pronunciations" + kEmptyingTrigger),
                "{} holds a trigger 't'; a dictionary is data only"},
        Hostile{"TriggerOnTheLoanwords",
                sql(kWords + kLexicons + "CREATE TRIGGER t BEFORE DELETE ON loanwords" + kEmptyingTrigger),
                "{} holds a trigger 't'; a dictionary is data only"},
        Hostile{"ViewAsWords", sql("CREATE VIEW words AS SELECT 'kamal' AS words;"),
                "{} holds a view 'words'; a dictionary is data only"},
        Hostile{"ViewAsTheUserLexicon",
                sql(kWords + "CREATE VIEW pronunciations AS SELECT 'ਕ' AS word, 'x' AS roman;"),
                "{} holds a view 'pronunciations'; a dictionary is data only"},
        Hostile{"ViewAsTheLoanwords", sql(kWords + "CREATE VIEW loanwords AS SELECT 'ਕ' AS word, 'x' AS roman;"),
                "{} holds a view 'loanwords'; a dictionary is data only"},
        Hostile{"FullTextTableAsWords", sql("CREATE VIRTUAL TABLE words USING fts4(word);"),
                "{} holds a virtual table 'words'; a dictionary is data only"},
        Hostile{"VirtualTableBesideTheDictionary",
                sql(kWords + kLexicons + "CREATE VIRTUAL TABLE boxes USING rtree(id, low, high);"),
                "{} holds a virtual table 'boxes'; a dictionary is data only"},
        // SQLite reads the statement, not the row's type and root page, to know
        // a virtual table; so must the check.
        Hostile{"VirtualTableSpelledToHide",
                sql(kWords + kLexicons +
                    "PRAGMA writable_schema = ON; INSERT INTO sqlite_master VALUES ('table', 'x', 'x', 2,"
                    " 'create/* a table */virtual' || char(10) || ' TABLE x USING fts5(a)');"),
                "{} holds a virtual table 'x'; a dictionary is data only"},
        // A name is shown as file names are, so that it cannot rewrite the terminal.
        Hostile{"NameWithControlCharacters",
                sql(kWords + "CREATE VIEW \"v\x1b[2J\" AS SELECT 1;"),
                "{} holds a view 'v\\033[2J'; a dictionary is data only"},
        // A schema may call only the functions SQLite deems safe in one.
        Hostile{"ColumnComputedByAnUnsafeFunction",
                sql("CREATE TABLE words (w TEXT, words TEXT AS (json_extract(w, '$.w')));"),
                "cannot read the word dictionary {}: malformed database schema (words) - unsafe use of "
                "json_extract()"},
        Hostile{"TextOverTheLengthLimit", sql(kWords + "INSERT INTO words VALUES (printf('%.*c', 1100000, 'k'));"),
                "cannot read the word dictionary {}: string or blob too big"},
        Hostile{"NotADatabase",
                [](const fs::path& file) { write_bytes(file, std::string(200, 'k') + "\nkamal\nnayan\n"); },
                "cannot read the word dictionary {}: file is not a database"},
        Hostile{"LexiconWithoutItsRomanColumn", sql(kWords + "CREATE TABLE pronunciations (word TEXT, note TEXT);"),
                "cannot read the word dictionary {}: no such column 'roman' in table 'pronunciations'"},
        Hostile{"ExtraColumnsTablesAndIndexesAreHarmless",
                sql("CREATE TABLE Words (id INTEGER PRIMARY KEY, WORDS TEXT, note TEXT);"
                    "INSERT INTO words (words, note) VALUES ('kamal', 'a'), ('nayan', 'b'), ('tara', NULL);"
                    "CREATE INDEX by_note ON words (note);"
                    "CREATE TABLE pronunciations (added TEXT, word TEXT, roman TEXT, PRIMARY KEY (word));"
                    "INSERT INTO pronunciations VALUES ('today', 'ਜਲਂਧਰ', 'jalandhar');"
                    "CREATE TABLE notes (text TEXT);"),
                nullptr, 3},
        Hostile{"WalFileWithRowsNotYetInTheFile",
make_unfinished_wal, nullptr, 3},
        Hostile{"WalFileOfOtherBytes",
                [](const fs::path& file) {
                    make_database(file, kWords + kLexicons + "PRAGMA journal_mode = WAL;");
                    write_bytes(fs::path(file) += "-wal", std::string(4096, 'w'));
                },
                nullptr}),
    [](const ::testing::TestParamInfo<Hostile>& info) { return std::string(info.param.name); });

// Whatever a file holds, a connection of the programs does not run it, even
// before or without the schema check: a file's bytes loaded into memory too.
TEST(DistrustfulConnection, RunsNothingTheFileHolds) {
    TemporaryFolder folder;
    const fs::path file = folder.path() / "trig.mdb";
    make_database(file, kWords + kLexicons + "CREATE TRIGGER t AFTER INSERT ON pronunciations" + kEmptyingTrigger +
                            "CREATE VIEW v AS SELECT 1;");
    const std::string bytes = read_bytes(file);
    const auto in_memory = [&bytes] {
        sqlite::Database database = sqlite::Database::in_memory("cannot load it");
        auto* copy = static_cast<unsigned char*>(sqlite3_malloc64(bytes.size()));
        std::copy(bytes.begin(), bytes.end(), copy);
        const int loaded = sqlite3_deserialize(database.get(), "main", copy, static_cast<sqlite3_int64>(bytes.size()),
                                               static_cast<sqlite3_int64>(bytes.size()),
                                               SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE);
        EXPECT_EQ(loaded, SQLITE_OK);
        return database;
    };
    struct Refused {
        const char* statement;
        const char* reason;
    };
    for (const bool from_memory : {false, true}) {
        SCOPED_TRACE(from_memory ? "in memory" : "file");
        sqlite::Database database =
            from_memory ? in_memory() : sqlite::Database(file, sqlite::OpenMode::create, "cannot open it");
        database.execute("INSERT INTO pronunciations VALUES ('ਕ', 'k')");
        sqlite::Statement count(database, "SELECT count(*) FROM words");
        ASSERT_TRUE(count.step());
        EXPECT_EQ(sqlite3_column_int(count.get(), 0), 2) << "the trigger fired";
        for (const Refused& refused :
             {Refused{"SELECT * FROM v", "access to view"},
              Refused{"SELECT load_extension('libm.so.6')", "not authorized"},
              Refused{"ATTACH DATABASE ':memory:' AS other", "too many attached"},
              Refused{"SELECT length(zeroblob(2000000))", "too big"},
              Refused{"PRAGMA writable_schema = ON; DELETE FROM sqlite_master", "may not be modified"}}) {
            SCOPED_TRACE(refused.statement);
            try {
                database.execute(refused.statement);
                ADD_FAILURE() << "ran";
            } catch (const StoreError& error) {
                EXPECT_NE(std::string(error.what()).find(refused.reason), std::string::npos) << error.what();
            }
        }
    }
}

}  // namespace
}  // namespace taviro
