// The dictionary as word finishing sees it: a multiset of Roman texts, and
// perhaps a lexicon of whole words. Word finishing asks two questions; the
// read loop asks one more, before finishing a word at all.
//
// It says nothing of where the rows live: the SQLite word store, the page's
// and the tests' in-memory dictionaries all answer the same questions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "taviro/lexicon.h"
#include "taviro/plain_letters.h"

namespace taviro {

struct WordWriting {
    bool spoken_forms = false;
    Scheme scheme = Scheme::marks;
};

class Dictionary {
public:
    virtual ~Dictionary() = default;
    // How many rows hold exactly `text`.
    virtual std::size_t count(std::u16string_view text) const = 0;
    // No row is longer than this. A text that is longer is no row, so it is
    // never looked up: the split search then costs time in proportion to the
    // word's length, not to its square.
    virtual std::size_t longest_row() const noexcept { return SIZE_MAX; }
    // The entry of a lexicon for the word of these Gurmukhi units, taken as
    // the run reads them (see units_as_read()), if any. The text stays valid
    // as long as the dictionary. Most dictionaries have no lexicon.
    virtual std::optional<Pronunciation> pronunciation(std::u16string_view) const { return std::nullopt; }
    // How finished words are written: in their spoken forms (spoken.h) or
    // not, and in which scheme (plain_letters.h). Part of the dictionary, as
    // its lexicons are, since what a word becomes depends on it alike and
    // everything that keeps a word keeps it per dictionary. Kept here, not
    // asked of a subclass, so that no dictionary over another can forget it.
    WordWriting writing() const noexcept { return writing_; }
    void write(WordWriting writing) noexcept { writing_ = writing; }
    bool spoken_forms() const noexcept { return writing_.spoken_forms; }
    Scheme scheme() const noexcept { return writing_.scheme; }

    // Is this text a word at all?
    bool stem_lookup(std::u16string_view text) const { return rows_holding(text) >= 1; }
    // Is it exactly one word?
    bool part_lookup(std::u16string_view text) const { return rows_holding(text) == 1; }

private:
    std::size_t rows_holding(std::u16string_view text) const {
        return text.size() > longest_row() ? 0 : count(text);
    }

    WordWriting writing_;
};

}  // namespace taviro
