// taviro-dict on a small word list, and where the programs find words.mdb.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_test_files.h"
#include "shell_run.h"

namespace taviro {
namespace {

// What explain says after a word the dictionary holds itself.
const std::string kHeldWord =
    " (the dictionary holds this word, which confirms the pieces of other words; only taviro-dict add sets how a "
    "word itself is written)";

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
              "ਕਮਲ → kamal: stem yes (1 row), part yes\n"
              "nayan: stem yes (1 row), part yes\n"
              "ਸ਼ਾਮ → shām: stem yes (1 row), part yes\n"
              "kamala: stem no (0 rows), part no\n");

    // ਕਮਲਨਯਨ splits into kamal + nayan; ਕਿ and ਪੰਜਾਬੀ stay as they are.
    write_bytes(folder / "text.txt", "ਕਮਲਨਯਨ ਕਿ ਪੰਜਾਬੀ\n");
    const auto stats = dict("stats --dictionary=words.mdb text.txt");
    EXPECT_EQ(stats.status, 0) << stats.err;
    EXPECT_EQ(stats.out, "words: 3\nprefix: 0\nsuffix: 0\nsplit: 1\nlexicon: 0\nnone: 2\n");
    EXPECT_EQ(dict("stats --dictionary words.mdb - < text.txt").out, stats.out);

    // Before: "kamal → kamal: the rules alone…", as if it had been converted.
    const auto roman = dict("explain --dictionary words.mdb kamal");
    EXPECT_EQ(roman.status, 1);
    EXPECT_EQ(roman.err, "taviro-dict: 'kamal' holds no Gurmukhi letter\n");
}

// Before: six adds at once kept one entry, and all six said they had succeeded.
TEST_F(TaviroDict, ParallelEditsWaitForEachOtherAndLoseNothing) {
    write_bytes(folder / "mine.txt", "ਕਮਲ\n");
    ASSERT_EQ(dict("build mine.txt -o my.mdb").status, 0);
    const std::vector<std::string> words = {"ਕਾ", "ਖਾ", "ਗਾ", "ਘਾ", "ਚਾ", "ਛਾ", "ਜਾ", "ਝਾ", "ਟਾ", "ਠਾ",
                                            "ਡਾ", "ਢਾ", "ਤਾ", "ਥਾ", "ਦਾ", "ਧਾ", "ਨਾ", "ਪਾ", "ਫਾ", "ਬਾ"};
    std::string adds;
    std::string expected;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const std::string roman(i + 1, 'a');
        adds += "{ " + shell_quoted(TAVIRO_DICT) + " add --dictionary my.mdb " + word + " " + roman +
                " || echo failed; } & ";
        expected += word + "\t" + roman + "\n";
    }
    const auto added = run_shell(adds + "wait", folder.path());
    EXPECT_EQ(added.out, "");
    EXPECT_EQ(added.err, "");
    const auto listed = dict("list --dictionary my.mdb | sort");
    EXPECT_EQ(listed.out, run_shell("printf '" + expected + "' | sort", folder.path()).out);
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

// The user lexicon end to end, on a copy of the shipped dictionary: added,
// honoured by taviro-convert over the loanwords and the rules, shown, taken out.
TEST_F(TaviroDict, UserLexiconWinsInEveryConversionUntilRemoved) {
    std::filesystem::copy_file(std::filesystem::path(TAVIRO_CONVERT).parent_path() / "words.mdb", folder / "my.mdb");
    write_bytes(folder / "text.txt", "ਜਲੰਧਰ ਟੈਕਸਟ ਟੈਸਟ ਵਰਤੋਂ।\n");
    const std::string convert = shell_quoted(TAVIRO_CONVERT) + " -q --dictionary my.mdb ";
    const auto converted = [&](const std::string& options) {
        return run_shell(convert + options + " text.txt -", folder.path()).out;
    };
    EXPECT_EQ(converted(""), "jalndhar ṭaiksaṭ ṭaisaṭ vartōṃ.\n");
    EXPECT_EQ(converted("--loanwords"), "jalndhar ṭaiksṭ ṭaisṭ vartōṃ.\n");
    // Before: lookup showed the entries' forms, jalandhar and ṭaikasaṭ, as if written.
    EXPECT_EQ(dict("lookup --dictionary my.mdb ਜਲੰਧਰ ਟੈਕਸਟ").out,
              "ਜਲੰਧਰ → jalndhar, looked up as jalandhar: stem yes (1 row), part yes\n"
              "ਟੈਕਸਟ → ṭaiksaṭ, looked up as ṭaikasaṭ: stem yes (1 row), part yes\n");

    ASSERT_EQ(dict("add --dictionary my.mdb ਜਲੰਧਰ jalandhar").status, 0);
    ASSERT_EQ(dict("add --dictionary my.mdb ਟੈਸਟ test").status, 0);
    EXPECT_EQ(converted(""), "jalandhar ṭaiksaṭ test vartōṃ.\n");
    EXPECT_EQ(converted("--loanwords"), "jalandhar ṭaiksṭ test vartōṃ.\n");
    EXPECT_EQ(dict("list --dictionary my.mdb").out, "ਜਲੰਧਰ\tjalandhar\nਟੈਸਟ\ttest\n");
    EXPECT_EQ(dict("lookup --dictionary my.mdb --loanwords ਜਲਂਧਰ ਟੈਕਸਟ").out,
              "ਜਲਂਧਰ → jalandhar: stem yes (1 row), part yes; written as your lexicon says\n"
              "ਟੈਕਸਟ → ṭaiksṭ, looked up as ṭaikasaṭ: stem yes (1 row), part yes; an English loanword, written as "
              "Punjabi speakers say it\n");
    EXPECT_EQ(dict("explain --dictionary my.mdb --loanwords ਜਲੰਧਰ ਟੈਕਸਟ 'ਪੰਜਾਬੀ ਪੱਕਾ'").out,
              "ਜਲੰਧਰ → jalandhar: written as your lexicon says\n"
              "ਟੈਕਸਟ → ṭaiksṭ: an English loanword, written as Punjabi speakers say it\n"
              "ਪੰਜਾਬੀ → pañjābī: split into two dictionary words: first pañjā + second bī\n"
              "ਪੱਕਾ → pakkā: the rules alone: no prefix, suffix or split was confirmed by the dictionary" + kHeldWord + "\n");
    // Before: nothing said that the dictionary's words set no word's writing.
    EXPECT_EQ(dict("explain ਕਮਲ").out,
              "ਕਮਲ → kamal: the rules alone: no prefix, suffix or split was confirmed by the dictionary" + kHeldWord + "\n");
    // Spoken forms: the loanwords, and the "a" dropped after a long vowel; your entries still win.
    EXPECT_EQ(dict("explain --dictionary my.mdb --spoken ਜਲੰਧਰ ਟੈਕਸਟ ਭਾਰਤੀ ਤਰੱਕੀ").out,
              "ਜਲੰਧਰ → jalandhar: written as your lexicon says\n"
              "ਟੈਕਸਟ → ṭaiksṭ: an English loanword, written as Punjabi speakers say it\n"
              // Before: "second rtī", a piece no dictionary holds.
              "ਭਾਰਤੀ → bhārtī: split into two dictionary words: first bhā + second ratī; spoken form: a dropped after "
              "a long vowel\n"
              "ਤਰੱਕੀ → tarakkī: the rules alone: no prefix, suffix or split was confirmed by the dictionary; spoken "
              "form: a kept before addak or tippi" + kHeldWord + "\n");

    EXPECT_EQ(dict("remove --dictionary my.mdb ਜਲੰਧਰ ਟੈਸਟ").status, 0);
    // Before: "1 of the words had no entry", without saying which.
    const auto again = dict("remove --dictionary my.mdb ਕਮਲ ਜਲੰਧਰ");
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.err, "taviro-dict: no entry for ਕਮਲ\ntaviro-dict: no entry for ਜਲੰਧਰ\n");
    EXPECT_EQ(converted(""), "jalndhar ṭaiksaṭ ṭaisaṭ vartōṃ.\n");
    EXPECT_EQ(dict("list --dictionary my.mdb").out, "");
}

// A bad entry changes nothing: not the dictionary, not with the rest of an import.
TEST_F(TaviroDict, RefusesBadLexiconEntriesAndLeavesTheFileAsItWas) {
    write_bytes(folder / "mine.txt", "ਕਮਲ\n");
    ASSERT_EQ(dict("build mine.txt -o my.mdb").status, 0);
    const std::string before = read_bytes(folder / "my.mdb");
    struct Bad {
        const char* arguments;
        const char* reason;
    };
    for (const Bad& bad : {Bad{"ਕਮਲ1 kamal", "Gurmukhi letters"}, Bad{"kamal kamal", "Gurmukhi letters"},
                           Bad{"ਕਮ।ਲ kamal", "Gurmukhi letters"}, Bad{"ਕਮਲ ''", "is empty"},
                           Bad{"ਕਮਲ ਕਮਲ", "holds Gurmukhi"}, Bad{"ਕਮਲ 'ka mal'", "separator"},
                           Bad{"ਕਮਲ 'kamal.'", "separator"}, Bad{"ਕਮਲ \"$(printf 'ka\\001mal')\"", "control"}}) {
        SCOPED_TRACE(bad.arguments);
        const auto outcome = dict(std::string("add --dictionary my.mdb ") + bad.arguments);
        EXPECT_EQ(outcome.status, 1);
        EXPECT_NE(outcome.err.find(bad.reason), std::string::npos) << outcome.err;
    }
    write_bytes(folder / "lexicon.tsv", "# mine\nਕਮਲ\tkamaal\n\nਕਮਲ kamal!\nਨਯਨ\n");
    const auto imported = dict("import --dictionary my.mdb lexicon.tsv");
    EXPECT_EQ(imported.status, 1);
    EXPECT_EQ(imported.err,
              "taviro-dict: lexicon.tsv:4: the Roman text holds a separator (a space, a digit, punctuation), "
              "which would end the word\ntaviro-dict: lexicon.tsv:5: a word without its Roman text\n"
              "taviro-dict: 2 bad entries, so nothing was added\n");
    EXPECT_EQ(read_bytes(folder / "my.mdb"), before);
    EXPECT_EQ(dict("add ਕਮਲ kamal").status, 2) << "the file a lexicon changes is named";
    EXPECT_EQ(dict("add --dictionary none.mdb ਕਮਲ kamal").err.rfind("taviro-dict: 'none.mdb': No such file", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(folder / "none.mdb"));
    // Before: SQLite's "unable to open database file".
    EXPECT_EQ(dict("list --dictionary none.mdb").err, "taviro-dict: 'none.mdb': No such file or directory\n");

    write_bytes(folder / "lexicon.tsv", "ਕਮਲ\tkamaal\r\nਨਯਨ  nain\n");
    EXPECT_EQ(dict("import --dictionary my.mdb lexicon.tsv").out, "2 entries added\n");
    EXPECT_EQ(dict("list --dictionary my.mdb").out, "ਕਮਲ\tkamaal\nਨਯਨ\tnain\n");
    write_bytes(folder / "one.tsv", "ਕਮਲ\tkamal\n");
    EXPECT_EQ(dict("import --dictionary my.mdb one.tsv").out, "1 entry added\n");
}

TEST_F(TaviroDict, WrongUsageExitsWithTwo) {
    for (const char* arguments : {"", "frobnicate", "build mine.txt", "lookup", "stats", "stats a b",
                                  "lookup --from latin-1 x", "build -o", "add --dictionary x.mdb ਕਮਲ",
                                  "list --dictionary x.mdb ਕਮਲ", "import --dictionary x.mdb", "explain",
                                  "path x", "build --base", "lookup --base x.mdb ਕਮਲ"}) {
        const auto outcome = dict(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments;
        EXPECT_NE(outcome.err.find("--help"), std::string::npos) << arguments << ": " << outcome.err;
    }
}

// The options are read as taviro-convert reads its own: attached values,
// abbreviations, options after the names; the messages stay taviro-dict's.
TEST_F(TaviroDict, ReadsOptionsTheGetoptLongWay) {
    write_bytes(folder / "mine.txt", "ਕਮਲ\n");
    for (const char* arguments :
         {"build mine.txt -oa.mdb", "build --out=a.mdb mine.txt", "build mine.txt --output a.mdb"}) {
        SCOPED_TRACE(arguments);
        const auto built = dict(arguments);
        ASSERT_EQ(built.status, 0) << built.err;
        EXPECT_EQ(dict("lookup ਕਮਲ --dict a.mdb").out, "ਕਮਲ → kamal: stem yes (1 row), part yes\n");
        std::filesystem::remove(folder / "a.mdb");
    }
    struct Refused {
        const char* arguments;
        const char* problem;
    };
    for (const Refused& refused : {Refused{"lookup --dictionary", "option '--dictionary' needs a value"},
                                   Refused{"build mine.txt -o", "option '-o' needs a value"},
                                   Refused{"lookup --f x", "unknown option '--f'"},
                                   Refused{"lookup --loanwords=1 x", "unknown option '--loanwords=1'"},
                                   Refused{"lookup -x x", "unknown option '-x'"}}) {
        const auto outcome = dict(refused.arguments);
        EXPECT_EQ(outcome.status, 2) << refused.arguments;
        EXPECT_EQ(outcome.err, std::string("taviro-dict: ") + refused.problem +
                                   "\nTry 'taviro-dict --help' for more information.\n");
    }
}

// A dictionary of one's own words alone confirms nothing else, so that much of
// a text comes out otherwise; built on the installed one, only the new words do.
TEST_F(TaviroDict, BuildsOnADictionaryKeepingItsWordsAndLexicons) {
    const std::filesystem::path installed = std::filesystem::path(TAVIRO_DICT).parent_path() / "words.mdb";
    EXPECT_EQ(dict("path").out, installed.string() + "\n");
    write_bytes(folder / "text.txt", "ਮਾਇਕਰੋ ਝਝਟਕਮਲ ਜਲੰਧਰ ਟੈਕਸਟ\n");
    write_bytes(folder / "mine.txt", "ਝਝਟ\nਕਮਲ\n");
    const auto converted = [&](const std::string& options) {
        return run_shell(shell_quoted(TAVIRO_CONVERT) + " -q " + options + " text.txt -", folder.path()).out;
    };
    ASSERT_EQ(converted(""), "māikarō jhajhṭakmal jalndhar ṭaiksaṭ\n");
    ASSERT_EQ(dict("build mine.txt -o alone.mdb").status, 0);
    EXPECT_EQ(converted("--dictionary alone.mdb"), "māikrō jhajhaṭkamal jalndhar ṭaiksaṭ\n");

    const auto built = dict("build --base default mine.txt -o my.mdb");
    ASSERT_EQ(built.status, 0) << built.err;
    EXPECT_NE(built.out.find(", 1 already in the base; "), std::string::npos) << built.out;
    EXPECT_NE(built.out.find(" words of the base and 1 of the lists written\n"), std::string::npos) << built.out;
    EXPECT_EQ(converted("--dictionary my.mdb"), "māikarō jhajhaṭkamal jalndhar ṭaiksaṭ\n");

    // Another build on it keeps the user's entries and the loanwords.
    ASSERT_EQ(dict("add --dictionary my.mdb ਜਲੰਧਰ jalandhar").status, 0);
    write_bytes(folder / "more.txt", "ਪੰਜਾਬੀ\n");
    ASSERT_EQ(dict("build --base my.mdb more.txt -o my.mdb").status, 0) << "building on itself loses nothing";
    EXPECT_EQ(converted("--loanwords --dictionary my.mdb"), "māikarō jhajhaṭkamal jalandhar ṭaiksṭ\n");
    write_bytes(folder / "test.txt", "ਟੈਸਟ\n");
    EXPECT_EQ(run_shell(shell_quoted(TAVIRO_CONVERT) + " -q --scheme ascii --dictionary my.mdb test.txt -", folder.path()).out,
              "test\n")
        << "and the loanwords' English spellings";
    EXPECT_EQ(dict("list --dictionary my.mdb").out, "ਜਲੰਧਰ\tjalandhar\n");

    testing::make_database(folder / "hostile.mdb", "CREATE TABLE words (words TEXT); CREATE TRIGGER t AFTER "
                                                   "INSERT ON words BEGIN DELETE FROM words; END;");
    EXPECT_EQ(dict("build --base hostile.mdb mine.txt -o out.mdb").err,
              "taviro-dict: 'hostile.mdb' holds a trigger 't'; a dictionary is data only\n");
    EXPECT_EQ(dict("build --base none.mdb mine.txt -o out.mdb").err,
              "taviro-dict: 'none.mdb': No such file or directory\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "out.mdb"));
}

// Before: a build replaced a dictionary with the user's entries, or a copy of
// the installed one with its loanwords, without a word.
TEST_F(TaviroDict, ReplacesADictionaryWithEntriesOnlyWhenForced) {
    write_bytes(folder / "mine.txt", "ਕਮਲ\n");
    ASSERT_EQ(dict("build mine.txt -o my.mdb").status, 0);
    ASSERT_EQ(dict("build mine.txt -o my.mdb").status, 0) << "a dictionary without entries is replaced";
    ASSERT_EQ(dict("add --dictionary my.mdb ਜਲੰਧਰ jalandhar").status, 0);
    std::filesystem::copy_file(std::filesystem::path(TAVIRO_DICT).parent_path() / "words.mdb", folder / "copy.mdb");
    for (const char* file : {"my.mdb", "copy.mdb"}) {
        SCOPED_TRACE(file);
        const std::string before = read_bytes(folder / file);
        const auto refused = dict(std::string("build mine.txt -o ") + file);
        EXPECT_EQ(refused.status, 1);
        EXPECT_NE(refused.err.find("; use --force to replace it, or --base to build on it\n"), std::string::npos)
            << refused.err;
        EXPECT_EQ(read_bytes(folder / file), before);
    }
    EXPECT_EQ(dict("build mine.txt -o my.mdb").err,
              "taviro-dict: 'my.mdb' holds 1 entry of your own; use --force to replace it, or --base to build on it\n");
    // Built on the installed dictionary, the copy loses nothing: its loanwords come again.
    EXPECT_EQ(dict("build --base default mine.txt -o copy.mdb").status, 0);
    EXPECT_EQ(dict("build --base default mine.txt -o copy.mdb").status, 0) << "and again, as the README builds";
    EXPECT_NE(dict("build --base default mine.txt -o my.mdb").err.find(
                  "'my.mdb' holds 1 entry of your own, which a build on '"),
              std::string::npos);
    EXPECT_NE(dict("build --base default mine.txt -o my.mdb").err.find(
                  " would lose; use --force to replace it, or --base 'my.mdb' to build on it\n"),
              std::string::npos);
    ASSERT_EQ(dict("build --force mine.txt -o my.mdb").status, 0);
    EXPECT_EQ(dict("list --dictionary my.mdb").out, "");
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
