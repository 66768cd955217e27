// The parallel conversion over arbitrary UTF-16 units with a small dictionary,
// in chunks of 1 to 64 units on 2 or 3 threads, in the rules' forms or the
// spoken ones (the first byte says which),
// against the sequential run: the same text and the same failure, also the
// text written before a failure. A completed conversion also matches the
// literal loop that takes one unit at a time.

#include <cstdlib>
#include <optional>
#include <string>

#include "fuzz_input.h"
#include "taviro/engine.h"
#include "taviro/run/parallel_conversion.h"
#include "taviro/convert/read_loop.h"
#include "taviro/convert/unit_sink.h"
#include "taviro/convert/unit_source.h"
#include "trickling_unit_source.h"
#include "unit_by_unit_loop.h"

namespace {

taviro::MemoryDictionary make_dictionary(bool spoken) {
    taviro::MemoryDictionary words({u"kamal", u"nayan", u"k\u0101r", u"ka", u"ki", u"a", u"sh\u0101m",
                                    u"pa\u1E43j\u0101b\u012B", u"sant"});
    words.write_spoken_forms(spoken);
    return words;
}

// The rules' forms, or the spoken ones, as the input's first byte says.
const taviro::MemoryDictionary& dictionary(bool spoken) {
    static const taviro::MemoryDictionary rules = make_dictionary(false);
    static const taviro::MemoryDictionary spoken_forms = make_dictionary(true);
    return spoken ? spoken_forms : rules;
}

struct Outcome {
    std::u16string text;
    std::optional<taviro::EngineError::Kind> error;
};

template <typename Conversion>
Outcome convert(Conversion conversion, taviro::UnitSource&& source) {
    taviro::MemoryUnitSink sink;
    try {
        conversion(source, sink);
    } catch (const taviro::EngineError& error) {
        return {sink.text(), error.kind()};
    }
    return {sink.text(), std::nullopt};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const taviro::ParallelOptions options{.threads = 2u + (data[0] >> 7), .chunk_units = 1u + (data[0] & 63u),
                                          .chunks_in_flight = 2};
    const std::u16string units = taviro::fuzz::utf16_from_bytes(data + 1, size - 1);
    const taviro::MemoryDictionary& words = dictionary((data[0] & 64u) != 0);

    const Outcome sequential = convert(
        [&words](auto& source, auto& sink) { taviro::convert_units(source, sink, words); },
        taviro::MemoryUnitSource(units));
    const Outcome parallel = convert(
        [&](auto& source, auto& sink) { taviro::convert_units_parallel(source, sink, words, options); },
        taviro::TricklingUnitSource(units));
    if (parallel.error != sequential.error || parallel.text != sequential.text) std::abort();
    if (!sequential.error) {
        const Outcome literal = convert(
            [&words](auto& source, auto& sink) { taviro::convert_units_unit_by_unit(source, sink, words); },
            taviro::MemoryUnitSource(units));
        if (literal.text != sequential.text) std::abort();
    }
    return 0;
}
