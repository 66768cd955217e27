#include "taviro/run/word_store.h"

#include <gtest/gtest.h>

#include <string>

#include "run_test_files.h"

namespace taviro {
namespace {

using testing::TemporaryFolder;
using testing::make_database;
using testing::read_bytes;
using testing::write_bytes;

class WordStoreTest : public ::testing::Test {
protected:
    std::string store_error_for(const std::filesystem::path& file) {
        try {
            WordStore store(file);
        } catch (const StoreError& error) {
            return error.what();
        }
        return "no error";
    }

    TemporaryFolder folder;
};

TEST_F(WordStoreTest, AnswersStemAndPartLookupsFromTheTable) {
    const auto file = folder.path() / "words.mdb";
    make_database(file,
                  "CREATE TABLE words (words TEXT, note TEXT);"
                  "INSERT INTO words VALUES ('kamal', 'once'), ('nayan', NULL), ('nayan', NULL),"
                  " ('navāṃ', 'non-ASCII'), (NULL, 'no word'), ('', 'empty');");
    const WordStore store(file);
    struct Lookup {
        std::u16string_view text;
        bool stem;
        bool part;
    };
    for (const Lookup& lookup : {Lookup{u"kamal", true, true}, Lookup{u"nayan", true, false},
                                 Lookup{u"navāṃ", true, true}, Lookup{u"", true, true},
                                 Lookup{u"Kamal", false, false}, Lookup{u"kama", false, false},
                                 Lookup{u"nava", false, false}}) {
        SCOPED_TRACE(::testing::PrintToString(std::u16string(lookup.text)));
        EXPECT_EQ(store.stem_lookup(lookup.text), lookup.stem) << "stem lookup";
        EXPECT_EQ(store.part_lookup(lookup.text), lookup.part) << "part lookup";
    }
    EXPECT_EQ(store.size(), 5u);
}

TEST_F(WordStoreTest, TextsWithQuotesAndBracketsAreOnlyData) {
    const auto file = folder.path() / "words.mdb";
    make_database(file, "CREATE TABLE words (words TEXT); INSERT INTO words VALUES ('x'' OR ''1''=''1');");
    const WordStore store(file);
    EXPECT_TRUE(store.part_lookup(u"x' OR '1'='1"));
    EXPECT_FALSE(store.stem_lookup(u"' OR ''='"));
    EXPECT_FALSE(store.stem_lookup(u"[No Conversion Available]"));
}

TEST_F(WordStoreTest, MissingFileIsAnErrorAndIsNotCreated) {
    const auto file = folder.path() / "words.mdb";
    EXPECT_NE(store_error_for(file).find("no such file"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(WordStoreTest, BrokenDictionariesAreErrorsAndStayUnchanged) {
    struct Broken {
        const char* name;
        const char* sql;       // nullptr: the file holds `text`
        const char* expected;  // part of the message
        const char* text = "";
    };
    for (const Broken& broken : {Broken{"text.mdb", nullptr, "not a database",
                                        "kamal\nnayan\n and more text to fill a page header of a database file"},
                                 Broken{"empty.mdb", nullptr, "no such table"},
                                 Broken{"table.mdb", "CREATE TABLE other (words TEXT);", "no such table"},
                                 Broken{"column.mdb", "CREATE TABLE words (word TEXT);", "no such column"}}) {
        SCOPED_TRACE(broken.name);
        const auto file = folder.path() / broken.name;
        if (broken.sql == nullptr) {
            write_bytes(file, broken.text);
        } else {
            make_database(file, broken.sql);
        }
        const std::string before = read_bytes(file);
        const std::string message = store_error_for(file);
        EXPECT_NE(message.find(broken.expected), std::string::npos) << message;
        EXPECT_NE(message.find(broken.name), std::string::npos) << message;
        EXPECT_EQ(read_bytes(file), before);
    }
}

// The lexicons are read as the run reads words; rows that could never match
// are passed over; the loanwords only when asked for, and only when there.
TEST_F(WordStoreTest, ReadsTheUserLexiconAlwaysAndTheLoanwordsWhenAsked) {
    const auto file = folder.path() / "words.mdb";
    make_database(file,
                  "CREATE TABLE words (words TEXT);"
                  "CREATE TABLE pronunciations (word TEXT, roman TEXT);"
                  "INSERT INTO pronunciations VALUES ('ਜਲਂਧਰ', 'jalandhar'), ('ਟੈਸਟ', 'mine'), (NULL, 'x'),"
                  " ('ਕ', NULL), ('', 'empty'), ('ੱa', 'refused');"
                  "CREATE TABLE loanwords (word TEXT, roman TEXT);"
                  "INSERT INTO loanwords VALUES ('ਟੈਸਟ', 'ṭaisṭ'), ('ਟੈਕਸਟ', 'ṭaiksṭ');");
    const WordStore plain(file);
    const WordStore asked(file, WordStoreOptions{.loanwords = true});
    struct Entry {
        std::u16string_view units;
        std::u16string_view plain;  // empty: none
        std::u16string_view asked;
    };
    for (const Entry& entry : {Entry{u"ਜਲੰਧਰ", u"jalandhar", u"jalandhar"}, Entry{u"ਟੈਸਟ", u"mine", u"mine"},
                               Entry{u"ਟੈਕਸਟ", u"", u"ṭaiksṭ"}, Entry{u"ਕ", u"", u""}}) {
        SCOPED_TRACE(::testing::PrintToString(std::u16string(entry.units)));
        const auto plain_entry = plain.pronunciation(entry.units);
        const auto asked_entry = asked.pronunciation(entry.units);
        EXPECT_EQ(plain_entry ? plain_entry->roman : u"", entry.plain);
        EXPECT_EQ(asked_entry ? asked_entry->roman : u"", entry.asked);
    }
    EXPECT_EQ(plain.pronunciations(), 2u);

    const auto bare = folder.path() / "bare.mdb";
    make_database(bare, "CREATE TABLE words (words TEXT);");
    EXPECT_EQ(WordStore(bare).pronunciations(), 0u);
    try {
        WordStore store(bare, WordStoreOptions{.loanwords = true});
        ADD_FAILURE() << "a dictionary without loanwords was taken for one";
    } catch (const StoreError& error) {
        EXPECT_NE(std::string(error.what()).find("no loanword lexicon"), std::string::npos) << error.what();
    }
}

TEST_F(WordStoreTest, DirectoryIsNoDictionary) {
    EXPECT_NE(store_error_for(folder.path()).find("not a file"), std::string::npos);
}

TEST(FindDictionary, ProgramFolderFirstThenShareTaviroElseTheProgramFolder) {
    TemporaryFolder prefix;
    const std::filesystem::path bin = prefix.path() / "bin";
    std::filesystem::create_directories(bin);
    EXPECT_EQ(find_dictionary(bin), bin / "words.mdb");
    std::filesystem::create_directories(prefix.path() / "share/taviro");
    write_bytes(prefix / "share/taviro/words.mdb", "");
    EXPECT_EQ(find_dictionary(bin), prefix.path() / "share/taviro/words.mdb");
    write_bytes(bin / "words.mdb", "");
    EXPECT_EQ(find_dictionary(bin), bin / "words.mdb");
}

}  // namespace
}  // namespace taviro
