// Dictionaries made by someone else, through taviro-convert and taviro-dict: a
// file that holds code is refused by name and left as it was, by every command
// that reads or edits it; a harmless oddity gives the right result.

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "run_test_files.h"
#include "shell_run.h"

namespace taviro {
namespace {

namespace fs = std::filesystem;
using testing::make_database;
using testing::read_bytes;

const std::string kDictionary =
    "CREATE TABLE words (words TEXT); INSERT INTO words VALUES ('kamal'), ('nayan');"
    "CREATE TABLE pronunciations (word TEXT PRIMARY KEY, roman TEXT);";
// Once it fires, the dictionary is empty and a word of the attacker's is in it.
const std::string kTrigger =
    "CREATE TRIGGER t AFTER INSERT ON pronunciations BEGIN DELETE FROM words;"
    " INSERT INTO pronunciations VALUES ('ਕਮਲ', 'owned'); END;";
constexpr const char* kTriggerRefused = "'hostile.mdb' holds a trigger 't'; a dictionary is data only\n";

// A WAL-mode dictionary whose writer stopped before it put the WAL back into
// the file: the user lexicon's one entry is only in hostile.mdb-wal.
void make_unfinished_wal(const fs::path& file) {
    make_database(file, kDictionary + "PRAGMA journal_mode = WAL;");
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &database), SQLITE_OK);
    ASSERT_EQ(sqlite3_db_config(database, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(database, "INSERT INTO pronunciations VALUES ('ਜਲਂਧਰ', 'jalandhar')", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_close(database), SQLITE_OK);
}

struct HostileRun {
    const char* name;
    std::function<void(const fs::path&)> make;  // makes hostile.mdb
    // A shell command line run beside hostile.mdb and text.txt (ਜਲੰਧਰ ਕਮਲਨਯਨ);
    // {convert} and {dict} stand for the programs.
    const char* command;
    int status;
    const char* out;
    const char* err;
    bool unchanged = true;  // hostile.mdb is byte for byte what it was
};

void PrintTo(const HostileRun& run, std::ostream* out) { *out << run.name; }

std::function<void(const fs::path&)> sql(std::string statements) {
    return [statements = std::move(statements)](const fs::path& file) { make_database(file, statements); };
}

std::string with_programs(std::string command) {
    for (const auto& [placeholder, program] :
         {std::pair<std::string, std::string>{"{convert}", TAVIRO_CONVERT}, {"{dict}", TAVIRO_DICT}}) {
        for (auto at = command.find(placeholder); at != std::string::npos; at = command.find(placeholder)) {
            command.replace(at, placeholder.size(), testing::shell_quoted(program));
        }
    }
    return command;
}

class HostileDictionaryRun : public ::testing::TestWithParam<HostileRun> {};

TEST_P(HostileDictionaryRun, IsRefusedByNameOrGivesTheRightResult) {
    const HostileRun& run = GetParam();
    testing::TemporaryFolder folder;
    run.make(folder.path() / "hostile.mdb");
    testing::write_bytes(folder / "text.txt", "ਜਲੰਧਰ ਕਮਲਨਯਨ\n");
    const std::string before = read_bytes(folder / "hostile.mdb");
    const auto outcome = testing::run_shell(with_programs(run.command), folder.path());
    EXPECT_EQ(outcome.status, run.status);
    EXPECT_EQ(outcome.out, run.out);
    EXPECT_EQ(outcome.err, run.err);
    if (run.unchanged) {
        EXPECT_EQ(read_bytes(folder / "hostile.mdb"), before) << "the dictionary was changed";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileDictionaryRun,
    ::testing::Values(
        HostileRun{"ConvertWithATrigger", sql(kDictionary + kTrigger),
                   "{convert} -q --dictionary hostile.mdb text.txt -", 1, "",
                   "taviro-convert: 'hostile.mdb' holds a trigger 't'; a dictionary is data only\n"},
        HostileRun{"LookUpWithATrigger", sql(kDictionary + kTrigger), "{dict} lookup --dictionary hostile.mdb ਕਮਲ", 1,
                   "", "taviro-dict: 'hostile.mdb' holds a trigger 't'; a dictionary is data only\n"},
        HostileRun{"ListWithATrigger", sql(kDictionary + kTrigger), "{dict} list --dictionary hostile.mdb", 1, "",
                   "taviro-dict: 'hostile.mdb' holds a trigger 't'; a dictionary is data only\n"},
        // Before: the trigger emptied the dictionary and add exited with 0.
        HostileRun{"AddWithATrigger", sql(kDictionary + kTrigger), "{dict} add --dictionary hostile.mdb ਜਲੰਧਰ jalandhar",
                   1, "", "taviro-dict: 'hostile.mdb' holds a trigger 't'; a dictionary is data only\n"},
        HostileRun{"RemoveWithATrigger", sql(kDictionary + kTrigger), "{dict} remove --dictionary hostile.mdb ਕਮਲ", 1,
                   "", "taviro-dict: 'hostile.mdb' holds a trigger 't'; a dictionary is data only\n"},
        HostileRun{"ImportWithATrigger", sql(kDictionary + kTrigger),
                   "printf 'ਜਲੰਧਰ\\tjalandhar\\n' > mine.tsv && {dict} import --dictionary hostile.mdb mine.tsv", 1, "",
                   "taviro-dict: 'hostile.mdb' holds a trigger 't'; a dictionary is data only\n"},
        HostileRun{"AddWithAViewAsTheLexicon",
                   sql("CREATE TABLE words (words TEXT);"
                       "CREATE VIEW pronunciations AS SELECT 'ਕਮਲ' AS word, 'owned' AS roman;"),
                   "{dict} add --dictionary hostile.mdb ਜਲੰਧਰ jalandhar", 1, "",
                   "taviro-dict: 'hostile.mdb' holds a view 'pronunciations'; a dictionary is data only\n"},
        HostileRun{"ConvertWithAVirtualTable",
                   sql(kDictionary + "CREATE VIRTUAL TABLE loanwords USING fts4(word, roman);"),
                   "{convert} -q --loanwords --dictionary hostile.mdb text.txt -", 1, "",
                   "taviro-convert: 'hostile.mdb' holds a virtual table 'loanwords'; a dictionary is data only\n"},
        HostileRun{"AddWithAVirtualTable", sql(kDictionary + "CREATE VIRTUAL TABLE notes USING fts4(text);"),
                   "{dict} add --dictionary hostile.mdb ਜਲੰਧਰ jalandhar", 1, "",
                   "taviro-dict: 'hostile.mdb' holds a virtual table 'notes'; a dictionary is data only\n"},
        HostileRun{"AddToAFileThatIsNoDatabase",
                   [](const fs::path& file) { testing::write_bytes(file, std::string(300, 'k')); },
                   "{dict} add --dictionary hostile.mdb ਜਲੰਧਰ jalandhar", 1, "",
                   "taviro-dict: cannot change the dictionary 'hostile.mdb': file is not a database\n"},
        HostileRun{"ConvertWithATextOverTheLimit",
                   sql(kDictionary + "INSERT INTO words VALUES (printf('%.*c', 1100000, 'k'));"),
                   "{convert} -q --dictionary hostile.mdb text.txt -", 1, "",
                   "taviro-convert: cannot read the word dictionary 'hostile.mdb': string or blob too big\n"},
        HostileRun{"ExtraColumnsAreKeptAndHarmless",
                   sql("CREATE TABLE words (words TEXT, note TEXT); INSERT INTO words VALUES ('kamal', 'a'), "
                       "('nayan', NULL); CREATE TABLE pronunciations (word TEXT PRIMARY KEY, roman TEXT, added TEXT);"
                       "INSERT INTO pronunciations VALUES ('ਕਮਲ', 'kamal', 'today');"),
                   "{dict} add --dictionary hostile.mdb ਜਲੰਧਰ jalandhar && {dict} list --dictionary hostile.mdb && "
                   "{convert} -q --dictionary hostile.mdb text.txt -",
                   0, "ਕਮਲ\tkamal\nਜਲੰਧਰ\tjalandhar\njalandhar kamalnayan\n", "", false},
        HostileRun{"ConvertReadsAnUnfinishedWal", make_unfinished_wal,
                   "{convert} -q --dictionary hostile.mdb text.txt -", 0, "jalandhar kamalnayan\n", ""},
        // The entry in the WAL is part of the dictionary: an edit of the file
        // alone would lose it, and the WAL would then be read over the new file.
        HostileRun{"AddWaitsForAnUnfinishedWal", make_unfinished_wal,
                   "{dict} add --dictionary hostile.mdb ਟੈਸਟ test", 1, "",
                   "taviro-dict: 'hostile.mdb' has unfinished changes in 'hostile.mdb-wal' from another program; let "
                   "it finish them (or open the file once with sqlite3) before changing it here\n"}),
    [](const ::testing::TestParamInfo<HostileRun>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace taviro
