// Writes the word dictionary: an SQLite file with table `words` and text column
// `words`, one row per text. The file is replaced as a whole, so a failed build
// never leaves a half-written dictionary.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "taviro/dict/user_lexicon.h"

namespace taviro {

// The rows `words` as given, the user lexicon `user_entries` and, unless it is
// null, the loanword lexicon `loanwords` with the English spellings of its
// words, `spellings` (word and spelling), unless that is null. Throws
// StoreError or RunError with the reason on any failure.
void write_word_database(const std::filesystem::path& file, const std::vector<std::u16string>& words,
                         const std::vector<LexiconEntry>* loanwords = nullptr,
                         const std::vector<LexiconEntry>& user_entries = {},
                         const std::vector<LexiconEntry>* spellings = nullptr);

}  // namespace taviro
