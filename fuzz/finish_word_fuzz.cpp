// Word finishing over arbitrary text with a small dictionary that holds words,
// a word twice and the empty text: it must finish or report its 16-bit limit.

#include "fuzz_input.h"
#include "taviro/engine.h"

namespace {

const taviro::MemoryDictionary& dictionary() {
    static const taviro::MemoryDictionary words({u"kamal", u"nayan", u"k\u0101r", u"duk\u0101n", u"ki", u"a",
                                                 u"ai\u1E6D", u"\u1E6Dar", u"kamal", u"", u"sh\u0101m"});
    return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        taviro::finish_word(taviro::fuzz::utf16_from_bytes(data, size), dictionary());
    } catch (const taviro::EngineError& error) {
        if (error.kind() != taviro::EngineError::Kind::overflow) throw;
    }
    return 0;
}
