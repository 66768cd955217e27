// The word dictionary `words.mdb`: an SQLite file with table `words` and text
// column `words`, opened read-only and read once into memory. It may also hold
// a user's lexicon, table `pronunciations` (Gurmukhi `word`, Roman `roman`),
// which every run honours, and the loanword lexicon, table `loanwords` of the
// same columns, which is read only when asked for.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "taviro/engine.h"
#include "taviro/run/store_error.h"

namespace taviro {

struct WordStoreOptions {
    bool loanwords = false;  // write loanwords as the loanword lexicon says
    bool spoken = false;     // spoken forms: the loanwords, and the "a" dropped after a long vowel
    Scheme scheme = Scheme::marks;  // plain letters write spoken forms as well
};

inline constexpr const char* kPronunciationsTable = "pronunciations";
inline constexpr const char* kLoanwordsTable = "loanwords";
// The English spellings plain letters write for loanwords, with the lexicons'
// columns: `word`, and the spelling as `roman`. Older dictionaries lack it.
inline constexpr const char* kLoanwordSpellingsTable = "loanword_spellings";

// The dictionary of a words.mdb, read whole into memory when it opens.
class WordStore final : public MemoryDictionary {
public:
    // Throws StoreError with a clear message when the file is missing, is not an
    // SQLite database, holds anything that runs (see dictionary_schema.h), has
    // no table `words` with a column `words`, or has no loanword lexicon when
    // one is asked for.
    explicit WordStore(const std::filesystem::path& file, WordStoreOptions options = {});
};

// Where a program in `program_folder` looks for `words.mdb`, in order: its own
// folder (a build tree, or a program kept together with its dictionary), then
// ../share/taviro/ beside it (an installed program in PREFIX/bin).
std::vector<std::filesystem::path> dictionary_candidates(const std::filesystem::path& program_folder);

// The first of the candidates that is a file; the first candidate when none
// is, so that the error names the program's own folder. Where the program lies
// is the front end's to say: a window, a terminal program and a Python module
// each know it their own way.
std::filesystem::path find_dictionary(const std::filesystem::path& program_folder);

}  // namespace taviro
