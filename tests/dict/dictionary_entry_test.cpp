#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "taviro/dict/dictionary_entry.h"
#include "taviro/dict/word_database_writer.h"
#include "taviro/run/word_store.h"

namespace taviro {
namespace {

struct EntryCase {
    const char* name;
    std::u16string gurmukhi;
    EntryVerdict verdict;
    std::u16string roman;
};

class RomanizeEntry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(RomanizeEntry, KeepsOnlyWhatCanBeAWord) {
    const DictionaryEntry entry = romanize_entry(GetParam().gurmukhi);
    EXPECT_EQ(entry.verdict, GetParam().verdict);
    EXPECT_EQ(entry.roman, GetParam().roman);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RomanizeEntry,
    ::testing::Values(
        // The final "a" goes as at the end of the input; nothing is finished.
        EntryCase{"WordLosesFinalA", u"ਕਮਲਨਯਨ", EntryVerdict::kept, u"kamalanayan"},
        EntryCase{"BindiIsTippi", u"ਨਵਾਂ", EntryVerdict::kept, u"navāṃ"},
        EntryCase{"DecomposedNuktaComposes", u"ਸ\u0A3Cਾਮ", EntryVerdict::kept, u"shām"},
        EntryCase{"BareConsonantHasNoVowel", u"ਨ", EntryVerdict::no_vowel, u""},
        EntryCase{"ClusterHasNoVowel", u"ਪ੍ਰ", EntryVerdict::no_vowel, u""},
        EntryCase{"EmptyLineHasNoVowel", u"", EntryVerdict::no_vowel, u""},
        EntryCase{"SpaceIsASeparator", u"ਕਿ ਕਿ", EntryVerdict::holds_separator, u""},
        EntryCase{"DandaIsASeparator", u"ਕਿ।", EntryVerdict::holds_separator, u""},
        EntryCase{"DigitsAreNotLetters", u"੧੨", EntryVerdict::not_letters_only, u""},
        EntryCase{"MarkerIsNotLetters", u"ੲਕ", EntryVerdict::not_letters_only, u""},
        EntryCase{"StrayNuktaIsNotALetter", u"ਕਿ\u0A3C", EntryVerdict::not_letters_only, u""},
        EntryCase{"AddakBeforeUnmapped", u"ਪੱ\u200D", EntryVerdict::untransliterable, u""},
        EntryCase{"LatinLettersAreNoGurmukhiWord", u"abc", EntryVerdict::not_gurmukhi, u""}),
    [](const ::testing::TestParamInfo<EntryCase>& info) { return std::string(info.param.name); });

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
