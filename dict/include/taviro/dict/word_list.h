// Reads Gurmukhi word lists into the texts of a dictionary: UTF-8, or UTF-16
// as taviro-convert detects it, one word a line, blanks around it ignored, blank lines and lines beginning with "#"
// skipped. Every entry is romanized as the dictionary holds it (see
// romanize_entry); entries that cannot be a word are dropped and counted by
// reason, and each text is kept once however often it comes, across lists too.
//
// It does not write the dictionary; write_word_database() does.
#pragma once

#include <array>
#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "taviro/convert/dictionary_entry.h"

namespace taviro {

struct WordListTally {
    std::size_t read = 0;      // entries: lines that are neither blank nor comments
    std::size_t not_utf8 = 0;
    std::size_t repeated = 0;  // kept texts that an earlier entry had given already
    std::size_t in_base = 0;   // kept texts that the dictionary built on holds already
    std::array<std::size_t, kEntryVerdicts> by_verdict{};

    std::size_t count(EntryVerdict verdict) const { return by_verdict[static_cast<std::size_t>(verdict)]; }
};

// "21217 entries read; dropped 476 holding a separator, ...; 20618 words written",
// or, built on a dictionary of `base_words` rows, "...; dropped ..., 2 already in
// the base; 20618 words of the base and 3 of the lists written".
std::string describe(const WordListTally& tally, std::size_t written,
                     std::optional<std::size_t> base_words = std::nullopt);

class WordListReader {
public:
    // Takes the texts of a dictionary that the lists' words are added to:
    // entries giving one of them are counted as in the base and not kept.
    void build_on(const std::vector<std::u16string>& base_words);

    // Adds the words of one list. `name` names it in the notes on lines that
    // are not UTF-8. Throws std::runtime_error when the list cannot be read.
    void read(std::istream& list, const std::string& name);

    const std::vector<std::u16string>& words() const noexcept { return words_; }
    const WordListTally& tally() const noexcept { return tally_; }
    // "list.txt:12: not UTF-8 at byte offset 3 (0xFF), left out", one per such line.
    const std::vector<std::string>& notes() const noexcept { return notes_; }

private:
    void read_utf8(std::istream& list, const std::string& name);
    void read_utf16(std::istream& list, const std::string& name);
    void take_line(std::string_view line, const std::string& name, std::size_t line_number);
    void take_entry(std::u16string_view entry_text);
    void take_decoded_entry(std::u16string_view gurmukhi);

    std::vector<std::u16string> words_;
    std::unordered_set<std::u16string> seen_;
    std::unordered_set<std::u16string> base_;
    WordListTally tally_;
    std::vector<std::string> notes_;
};

}  // namespace taviro
