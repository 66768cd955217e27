// Finishes words for one run and remembers the results, since real text repeats
// its words and finishing is a pure function of the word and the dictionary.
// The memory is bounded: when full it starts over.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "taviro/engine.h"

namespace taviro {

class WordFinisher {
public:
    explicit WordFinisher(const Dictionary& dictionary) : dictionary_(dictionary) {}

    const FinishedWord& finish(std::u16string_view word);

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view text) const noexcept {
            return std::hash<std::u16string_view>{}(text);
        }
    };

    const Dictionary& dictionary_;
    std::unordered_map<std::u16string, FinishedWord, Hash, std::equal_to<>> remembered_;
    FinishedWord unremembered_;
};

}  // namespace taviro
