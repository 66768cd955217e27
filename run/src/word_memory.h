// Remembers what the words of one run became, keyed by their Gurmukhi code
// units, so that a word that occurs again costs one lookup instead of being
// romanized and finished afresh. Real text repeats its words, so most words of
// a long text are met here.
//
// What a word becomes is a pure function of its units, of whether its word end
// drops a final inherent "a", and of the dictionary, so remembering cannot change
// the output. The memory is bounded: when full it starts over.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "taviro/engine.h"

namespace taviro {

// One word, romanized, ended and finished.
struct ConvertedWord {
    FinishedWord finished;
    bool has_letters = false;  // the romanized word was not empty
};

// One word's units, as the run's character counter and the word end see them.
struct RememberedWord {
    std::int32_t counted = 0;  // characters the counter takes: a joining nukta is not one
    std::optional<ConvertedWord> keeping_final_a;
    std::optional<ConvertedWord> dropping_final_a;
};

class WordMemory {
public:
    explicit WordMemory(const Dictionary& dictionary);

    // The word of `units`; throws EngineError as romanizing it would. The
    // reference holds until the next call.
    RememberedWord& find(std::u16string_view units);
    // What the word becomes with the given word end.
    const ConvertedWord& converted(std::u16string_view units, RememberedWord& word, bool drop_final_a);

private:
    struct Entry {
        std::u16string units;
        RememberedWord word;
    };
    // Open addressing over a power-of-two table: most lookups are hits on short
    // words, and this keeps them to one hash and one probe or two.
    struct Slot {
        std::size_t hash = 0;
        std::uint32_t entry = 0;  // index into entries_ + 1; 0 for an empty slot
    };

    RememberedWord& remember(std::u16string_view units, std::size_t hash);

    const Dictionary& dictionary_;
    // Zeroed pages straight from the system: a run over a short text touches
    // only the few it needs, instead of clearing the whole table first.
    struct FreeSlots {
        void operator()(Slot* slots) const noexcept { std::free(slots); }
    };
    std::unique_ptr<Slot[], FreeSlots> slots_;
    std::vector<Entry> entries_;
    RememberedWord unremembered_;  // for words too long to be worth keeping
};

}  // namespace taviro
