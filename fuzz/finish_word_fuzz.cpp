// Word finishing over arbitrary text with a small dictionary that holds words,
// a word twice and the empty text: it must finish or report its 16-bit limit,
// and skipping the texts longer than any row must not change its answer.

#include <cstdlib>
#include <optional>
#include <string>

#include "fuzz_input.h"
#include "taviro/engine.h"

namespace {

const taviro::MemoryDictionary& dictionary() {
    static const taviro::MemoryDictionary words({u"kamal", u"nayan", u"k\u0101r", u"duk\u0101n", u"ki", u"a",
                                                 u"ai\u1E6D", u"\u1E6Dar", u"kamal", u"", u"sh\u0101m"});
    return words;
}

// The same words, every text looked up, as the literal search does.
class LiteralDictionary final : public taviro::Dictionary {
public:
    std::size_t count(std::u16string_view text) const override { return dictionary().count(text); }
};

std::optional<std::u16string> finished(const std::u16string& word, const taviro::Dictionary& words) {
    try {
        return taviro::finish_word(word, words).text;
    } catch (const taviro::EngineError& error) {
        if (error.kind() != taviro::EngineError::Kind::overflow) throw;
        return std::nullopt;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string word = taviro::fuzz::utf16_from_bytes(data, size);
    if (finished(word, dictionary()) != finished(word, LiteralDictionary())) std::abort();
    return 0;
}
