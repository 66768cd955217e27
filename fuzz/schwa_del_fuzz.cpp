// Schwa deletion over arbitrary text: it only ever removes plain "a"s, never
// grows the word, and fails only past the 16-bit limit.

#include <algorithm>
#include <cstdlib>

#include "fuzz_input.h"
#include "taviro/engine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string original = taviro::fuzz::utf16_from_bytes(data, size);
    std::u16string word = original;
    try {
        taviro::Schwa_Del(word);
    } catch (const taviro::EngineError& error) {
        if (error.kind() != taviro::EngineError::Kind::overflow) throw;
        return 0;
    }

    // What is left is the original with some of its "a"s taken out.
    std::size_t at = 0;
    for (char16_t c : word) {
        while (at < original.size() && original[at] != c) {
            if (original[at] != u'a') std::abort();
            ++at;
        }
        if (at == original.size()) std::abort();
        ++at;
    }
    if (std::any_of(original.begin() + static_cast<std::ptrdiff_t>(at), original.end(),
                    [](char16_t c) { return c != u'a'; })) {
        std::abort();
    }
    return 0;
}
