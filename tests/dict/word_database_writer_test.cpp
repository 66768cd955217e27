#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "taviro/dict/word_database_writer.h"
#include "taviro/run/word_store.h"

namespace taviro {
namespace {

TEST(WriteWordDatabase, WritesWhatTheStoreReadsBack) {
    // A fresh folder of its own: one left behind by an earlier run must not count.
    std::string pattern = (std::filesystem::temp_directory_path() / "taviro-words-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const std::filesystem::path folder = pattern;
    const auto file = folder / "words.mdb";
    write_word_database(file, {u"kamal", u"navāṃ"});
    write_word_database(file, {u"nayan", u"navāṃ", u"navāṃ"});  // replaces, never appends
    const WordStore store(file);
    EXPECT_EQ(store.size(), 3u);
    EXPECT_FALSE(store.stem_lookup(u"kamal"));
    EXPECT_TRUE(store.part_lookup(u"nayan"));
    EXPECT_EQ(store.count(u"navāṃ"), 2u);
    EXPECT_FALSE(std::filesystem::exists(folder / "words.mdb.part"));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace taviro
