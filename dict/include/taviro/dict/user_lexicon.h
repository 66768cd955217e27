// A user's lexicon inside a word dictionary file: the table `pronunciations`,
// one Gurmukhi word to the Roman text a run writes for it, whole.
//
// Every change is made on a copy of the file in memory and put in the file's
// place in one step, so a failed change leaves the dictionary exactly as it
// was, and nothing is left beside it. The file is data only: one that holds
// anything that could run (a trigger, a view) is refused, never changed. Words
// are kept as the run reads them (bindi as tippi, nukta composed), so two
// spellings of one word are one entry. It does not read the table for a run;
// the word store does.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "taviro/convert/lexicon_entry.h"

namespace taviro {

// The lexicon's table; the loanword lexicon's has the same columns.
inline constexpr const char* kCreateUserLexicon =
    "CREATE TABLE IF NOT EXISTS pronunciations (word TEXT PRIMARY KEY NOT NULL, roman TEXT NOT NULL)";
inline constexpr const char* kCreateLoanwordLexicon =
    "CREATE TABLE loanwords (word TEXT PRIMARY KEY NOT NULL, roman TEXT NOT NULL)";
inline constexpr const char* kCreateLoanwordSpellings =
    "CREATE TABLE loanword_spellings (word TEXT PRIMARY KEY NOT NULL, roman TEXT NOT NULL)";

// The entries of `file`, ordered by word; none when it has no lexicon.
// Throws StoreError.
std::vector<LexiconEntry> read_user_lexicon(const std::filesystem::path& file);

// Told what an edit did beside its change, in a sentence, such as a scratch
// file of an interrupted edit of an earlier version that it discarded.
using EditNotices = std::function<void(const std::string&)>;

// Adds the entries (each valid; see entry_problem()), an entry for a word
// already there replacing it. Throws StoreError or RunError; `file` is then
// unchanged.
void add_to_user_lexicon(const std::filesystem::path& file, const std::vector<LexiconEntry>& entries,
                         const EditNotices& notices = {});

// Removes the words' entries; returns how many there were.
std::size_t remove_from_user_lexicon(const std::filesystem::path& file, const std::vector<std::u16string>& words,
                                     const EditNotices& notices = {});

}  // namespace taviro
