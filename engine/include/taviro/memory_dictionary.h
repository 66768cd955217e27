// A dictionary held in memory, with a lexicon of its own: what the page, the
// dictionary tools and the tests use where the SQLite word store would need a
// file. Duplicate rows are counted, as the word store counts them.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "taviro/dictionary.h"
#include "taviro/lexicon.h"
#include "taviro/text_counts.h"
#include "taviro/text_hash.h"

namespace taviro {

class MemoryDictionary : public Dictionary {
public:
    MemoryDictionary() = default;
    explicit MemoryDictionary(const std::vector<std::u16string>& rows);
    // Makes room for this many rows, so that adding them never rebuilds the table.
    void reserve(std::size_t rows);
    void add(std::u16string_view text);
    std::size_t count(std::u16string_view text) const override;
    std::size_t longest_row() const noexcept override { return longest_row_; }
    std::size_t size() const noexcept { return rows_; }

    // Writes the word of `units` as `roman`, unless an entry of a lexicon that
    // wins over `lexicon` has it already. `units` are taken as the run reads
    // them; throws EngineError when the character rules refuse them.
    void pronounce(std::u16string_view units, std::u16string_view roman, Lexicon lexicon);
    // Gives the loanword entry of `units`, when there is one, the English
    // spelling plain letters write for it. Throws EngineError as pronounce().
    void spell(std::u16string_view units, std::u16string_view english);
    std::optional<Pronunciation> pronunciation(std::u16string_view units) const override;
    std::size_t pronunciations() const noexcept { return pronunciations_.size(); }

    void write_spoken_forms(bool spoken) noexcept { write({spoken, scheme()}); }
    void write_scheme(Scheme scheme) noexcept { write({spoken_forms(), scheme}); }

private:
    struct Entry {
        std::u16string roman;
        Lexicon lexicon;
        std::u16string spelling;
    };

    TextCounts rows_by_text_;
    std::unordered_map<std::u16string, Entry, TextHash, std::equal_to<>> pronunciations_;
    std::size_t rows_ = 0;
    std::size_t longest_row_ = 0;
};

}  // namespace taviro
