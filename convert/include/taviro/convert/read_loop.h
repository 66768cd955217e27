// The read loop: takes UTF-16 code units from a source, splits them into words
// and separators, romanizes and finishes every word, and gives the Roman text
// and the separators' texts to a sink, in source order.
//
// It knows nothing of files or windows. Every call starts clean: nothing of an
// earlier call reaches its output.
#pragma once

#include <cstddef>
#include <string_view>

#include "taviro/engine.h"
#include "taviro/convert/unit_sink.h"
#include "taviro/convert/unit_source.h"

namespace taviro {

// How many non-empty words the loop finished, how many of them the dictionary
// changed through a confirmed prefix, a confirmed suffix or a split (a word may
// keep both a prefix and a suffix), how many a lexicon's entry wrote, and how
// many it left to schwa deletion alone.
struct FinishCounts {
    std::size_t words = 0;
    std::size_t prefixes = 0;
    std::size_t suffixes = 0;
    std::size_t splits = 0;
    std::size_t lexicon = 0;
    std::size_t unconfirmed = 0;

    // The counts of two stretches of one input, as one: a count added here is
    // summed here too.
    FinishCounts& operator+=(const FinishCounts& more) noexcept {
        words += more.words;
        prefixes += more.prefixes;
        suffixes += more.suffixes;
        splits += more.splits;
        lexicon += more.lexicon;
        unconfirmed += more.unconfirmed;
        return *this;
    }
    bool operator==(const FinishCounts&) const = default;
};

// Told of every word the loop finishes that has letters, in input order, just
// before its Roman text goes to the sink. `begin` and `end` are the word's code
// units counted from the start of the input. Where the word is written in plain
// letters or in its spoken form, `word` holds the texts its pieces lie in.
class WordObserver {
public:
    virtual ~WordObserver() = default;
    virtual void word_finished(std::size_t begin, std::size_t end, const FinishedWord& word) = 0;
};

// Converts the whole of `source` into `sink`. Throws EngineError (an addak
// before an unmapped character, more than 32,767 characters without a word end),
// RunError from the source or sink, and whatever the dictionary throws; the sink
// then holds at most the text of the words finished before the failure.
// Reads in blocks and converts each word as a whole, remembering what words
// became within the call. `observer`, when given, is told of every word.
// (Text already in memory converts where it lies: see text_conversion.h.)
FinishCounts convert_units(UnitSource& source, UnitSink& sink, const Dictionary& dictionary,
                           WordObserver* observer = nullptr);

}  // namespace taviro
