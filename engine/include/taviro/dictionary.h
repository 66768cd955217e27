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
    // Whether words are finished in their spoken forms (spoken.h): part of
    // the dictionary, as its lexicons are, since what a word becomes depends
    // on it alike and everything that keeps a word keeps it per dictionary.
    virtual bool spoken_forms() const noexcept { return false; }
    // How finished words are written (plain_letters.h), part of the
    // dictionary for the same reason.
    virtual Scheme scheme() const noexcept { return Scheme::marks; }

    // Is this text a word at all?
    bool stem_lookup(std::u16string_view text) const { return rows_holding(text) >= 1; }
    // Is it exactly one word?
    bool part_lookup(std::u16string_view text) const { return rows_holding(text) == 1; }

private:
    std::size_t rows_holding(std::u16string_view text) const {
        return text.size() > longest_row() ? 0 : count(text);
    }
};

}  // namespace taviro
