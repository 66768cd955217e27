// One entry of a lexicon, a Gurmukhi word and the Roman text a run writes for
// it whole, and the checks an entry passes before any lexicon takes it. Shared
// by taviro-dict, which keeps a user's lexicon in a dictionary file, and the
// web page, which keeps it in the page; neither file nor SQLite is used here
// (taviro-dict reads a lexicon file through dict/lexicon_file.h).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace taviro {

struct LexiconEntry {
    std::u16string word;  // Gurmukhi
    std::u16string roman;
};

// Why the entry cannot go into a lexicon, or nothing when it can: the word is
// Gurmukhi letters and signs only, the Roman text neither empty nor holding
// Gurmukhi, a control character or a separator.
std::optional<std::string> entry_problem(std::u16string_view word, std::u16string_view roman);

// The entries of a lexicon, one "WORD<TAB>ROMAN" a line (spaces may stand for
// the tab: neither side can hold one), blank lines and lines beginning with
// "#" skipped, each problem "NAME:LINE: reason".
struct ParsedLexicon {
    std::vector<LexiconEntry> entries;
    std::vector<std::string> problems;
};
// From text already decoded.
ParsedLexicon parse_lexicon(std::u16string_view text, const std::string& name);
// Adds line `number` (from 1) of the lexicon `name`: its entry or its problem.
// An empty `line` is one whose bytes are not UTF-8.
void add_lexicon_line(std::optional<std::u16string_view> line, const std::string& name, std::size_t number,
                      ParsedLexicon& parsed);

}  // namespace taviro
