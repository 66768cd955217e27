// What a word dictionary file holds, read as the programs read it: the rows of
// `words`, the user lexicon and the loanword lexicon. taviro-dict reads a
// dictionary to build on it, and counts a destination's entries before a
// build would throw them away. It reads only; write_word_database() writes.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "taviro/convert/lexicon_entry.h"

namespace taviro {

struct DictionaryContents {
    // Every row that is text, in the file's order, repeats included: how often
    // a text stands there is what the part lookup asks.
    std::vector<std::u16string> words;
    std::vector<LexiconEntry> user_entries;
    // Nothing when the file has no loanword lexicon, which is not the same as
    // an empty one: --loanwords refuses the first.
    std::optional<std::vector<LexiconEntry>> loanwords;
    // The English spellings of the loanwords; nothing in a dictionary of an
    // older version, which has none.
    std::optional<std::vector<LexiconEntry>> spellings;
};

// The file's contents, after the checks every program makes on a dictionary
// (see dictionary_schema.h). Entries that are not text on both sides, or have
// no word, are left out, as the word store leaves them. Throws StoreError.
DictionaryContents read_dictionary(const std::filesystem::path& file);

struct LexiconSizes {
    std::size_t user_entries = 0;
    std::size_t loanwords = 0;
};

// How many entries the file's lexicons hold. Throws StoreError for a file the
// programs would not read as a dictionary.
LexiconSizes count_lexicon_entries(const std::filesystem::path& file);

}  // namespace taviro
