// A user's lexicon inside a word dictionary file: the table `pronunciations`,
// one Gurmukhi word to the Roman text a run writes for it, whole.
//
// Every change is made on a copy of the file and put in the file's place in
// one step, so a failed change leaves the dictionary exactly as it was. Words
// are kept as the run reads them (bindi as tippi, nukta composed), so two
// spellings of one word are one entry. It does not read the table for a run;
// the word store does.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "taviro/dict/lexicon_entry.h"

namespace taviro {

// The lexicon's table; the loanword lexicon's has the same columns.
inline constexpr const char* kCreateUserLexicon =
    "CREATE TABLE IF NOT EXISTS pronunciations (word TEXT PRIMARY KEY NOT NULL, roman TEXT NOT NULL)";
inline constexpr const char* kCreateLoanwordLexicon =
    "CREATE TABLE loanwords (word TEXT PRIMARY KEY NOT NULL, roman TEXT NOT NULL)";

// The entries of `file`, ordered by word; none when it has no lexicon.
// Throws StoreError.
std::vector<LexiconEntry> read_user_lexicon(const std::filesystem::path& file);

// Adds the entries (each valid; see entry_problem()), an entry for a word
// already there replacing it. Throws StoreError or RunError; `file` is then
// unchanged.
void add_to_user_lexicon(const std::filesystem::path& file, const std::vector<LexiconEntry>& entries);

// Removes the words' entries; returns how many there were.
std::size_t remove_from_user_lexicon(const std::filesystem::path& file, const std::vector<std::u16string>& words);

}  // namespace taviro
