// taviro-dict on a small word list, and where the programs find words.mdb.

#include <gtest/gtest.h>

#include "run_test_files.h"
#include "shell_run.h"

namespace taviro {
namespace {

using testing::read_bytes;
using testing::run_shell;
using testing::shell_quoted;
using testing::write_bytes;

class TaviroDict : public ::testing::Test {
protected:
    testing::ProgramOutcome dict(const std::string& arguments) const {
        return run_shell(shell_quoted(TAVIRO_DICT) + " " + arguments, folder.path());
    }

    testing::TemporaryFolder folder;
};

TEST_F(TaviroDict, BuildsLooksUpAndCountsWithTheSameRomanization) {
    write_bytes(folder / "mine.txt", "# my words\nਕਮਲ\nਨਯਨ\n\nਨ\nਕਮਲ\nਕਿ ਕਿ\nabc\n");
    // Before: a UTF-16 list was read as UTF-8 and gave no word at all.
    write_bytes(folder / "more.txt", testing::utf16le_bytes(u"ਸ\u0A3Cਾਮ\r\n"));
    const auto built = dict("build mine.txt more.txt -o words.mdb");
    ASSERT_EQ(built.status, 0) << built.err;
    EXPECT_EQ(built.out,
              "7 entries read; dropped 1 holding a separator, 1 without a vowel, 0 not letters only, "
              "0 not transliterable, 1 not Gurmukhi, 0 not UTF-8, 1 repeating a text; 3 words written\n");

    const auto lookup = dict("lookup --dictionary words.mdb ਕਮਲ nayan ਸ਼ਾਮ kamala");
    EXPECT_EQ(lookup.status, 0) << lookup.err;
    EXPECT_EQ(lookup.out,
              "ਕਮਲ (kamal): stem yes (1 row), part yes\n"
              "nayan: stem yes (1 row), part yes\n"
              "ਸ਼ਾਮ (shām): stem yes (1 row), part yes\n"
              "kamala: stem no (0 rows), part no\n");

    // ਕਮਲਨਯਨ splits into kamal + nayan; ਕਿ and ਪੰਜਾਬੀ stay as they are.
    write_bytes(folder / "text.txt", "ਕਮਲਨਯਨ ਕਿ ਪੰਜਾਬੀ\n");
    const auto stats = dict("stats --dictionary=words.mdb text.txt");
    EXPECT_EQ(stats.status, 0) << stats.err;
    EXPECT_EQ(stats.out, "words: 3\nprefix: 0\nsuffix: 0\nsplit: 1\nnone: 2\n");
    EXPECT_EQ(dict("stats --dictionary words.mdb - < text.txt").out, stats.out);
}

TEST_F(TaviroDict, NeverWritesOverAWordListNorAnEmptyDictionary) {
    write_bytes(folder / "mine.txt", "ਕਮਲ\n");
    const auto outcome = dict("build mine.txt -o mine.txt");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(read_bytes(folder / "mine.txt"), "ਕਮਲ\n");

    write_bytes(folder / "english.txt", "lotus\nsaint\n");
    const auto empty = dict("build english.txt -o none.mdb");
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.err.find("no Gurmukhi word"), std::string::npos) << empty.err;
    EXPECT_FALSE(std::filesystem::exists(folder / "none.mdb"));
}

TEST_F(TaviroDict, WrongUsageExitsWithTwo) {
    for (const char* arguments : {"", "frobnicate", "build mine.txt", "lookup", "stats", "stats a b",
                                  "lookup --from latin-1 x", "build -o"}) {
        const auto outcome = dict(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments;
        EXPECT_NE(outcome.err.find("--help"), std::string::npos) << arguments << ": " << outcome.err;
    }
}

// A copy of taviro-convert in PREFIX/bin finds words.mdb in its own folder
// first, then in PREFIX/share/taviro/.
TEST(WordsMdbLookupOrder, OwnFolderFirstThenShareTaviro) {
    testing::TemporaryFolder prefix;
    std::filesystem::create_directories(prefix / "bin");
    std::filesystem::create_directories(prefix / "share/taviro");
    std::filesystem::copy_file(TAVIRO_CONVERT, prefix / "bin/taviro-convert");
    write_bytes(prefix / "in.txt", "ਕਮਲਨਯਨ");
    const std::string command = shell_quoted(prefix / "bin/taviro-convert") + " -q in.txt -";

    EXPECT_EQ(run_shell(command, prefix.path()).status, 1) << "no words.mdb anywhere";

    testing::make_database(prefix / "share/taviro/words.mdb",
                           "CREATE TABLE words (words TEXT); INSERT INTO words VALUES ('kamal'), ('nayan');");
    EXPECT_EQ(run_shell(command, prefix.path()).out, "kamalnayan");

    testing::make_database(prefix / "bin/words.mdb", "CREATE TABLE words (words TEXT);");
    EXPECT_EQ(run_shell(command, prefix.path()).out, "kamlanyan");
}

}  // namespace
}  // namespace taviro
