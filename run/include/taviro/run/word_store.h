// The word dictionary `words.mdb`: an SQLite file with table `words` and text
// column `words`, opened read-only and read once into memory.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "taviro/engine.h"
#include "taviro/run/store_error.h"

namespace taviro {

class WordStore final : public Dictionary {
public:
    // Throws StoreError with a clear message when the file is missing, is not an
    // SQLite database, or has no table `words` with a column `words`.
    explicit WordStore(const std::filesystem::path& file);
    std::size_t count(std::u16string_view text) const override;
    std::size_t longest_row() const noexcept override { return words_.longest_row(); }
    std::size_t size() const noexcept;

private:
    MemoryDictionary words_;
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
