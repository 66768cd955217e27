// Turns one Gurmukhi entry of the word list into the Roman text the dictionary
// holds, or says why the entry cannot be a word.
//
// The text is what the conversion run builds for the entry followed by the end
// of the input (bindi as tippi, nukta compositions, the final-"a" rule), without
// word finishing. The list holds fragments too; a bare consonant such as ਨ (n)
// would confirm wrong junctions, so only texts with a vowel letter are kept.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace taviro {

enum class EntryVerdict {
    kept,
    holds_separator,     // a space, punctuation, a danda...: more than one word
    untransliterable,    // the character rules refuse it (addak before an unmapped character)
    no_vowel,            // a bare consonant or cluster: ਨ -> n, ਪ੍ਰ -> pr
    not_letters_only,    // digits, slips (WordBuilder::slips()), marks or letters of other scripts
    not_gurmukhi,        // romanizes to letters, but was never Gurmukhi: "abc"
};

struct DictionaryEntry {
    EntryVerdict verdict;
    std::u16string roman;  // only for kept
};

DictionaryEntry romanize_entry(std::u16string_view gurmukhi);

// The Roman text the run builds for `gurmukhi` as one word at the end of the
// input, before word finishing; what the dictionary is looked up with.
// Throws EngineError when the character rules refuse it.
std::u16string romanize_word(std::u16string_view gurmukhi);

// How many verdicts there are, for tallies indexed by them.
inline constexpr std::size_t kEntryVerdicts = 6;

}  // namespace taviro
