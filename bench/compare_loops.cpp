// Converts one UTF-16LE file both ways, with the fast loop that runs use and
// with the literal unit-by-unit loop, and says whether the outputs are
// identical. Usage: compare_loops SOURCE.txt DICTIONARY

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "taviro/convert/read_loop.h"
#include "taviro/encoding/decoding_source.h"
#include "taviro/run/descriptor_streams.h"
#include "taviro/run/word_store.h"
#include "unit_by_unit_loop.h"

namespace {

std::u16string convert(const char* source_name, const taviro::Dictionary& dictionary, bool literal) {
    taviro::InputFile file{std::filesystem::path(source_name)};
    taviro::DecodingSource source(file, taviro::Encoding::utf16le, source_name);
    taviro::MemoryUnitSink sink;
    if (literal) {
        taviro::convert_units_unit_by_unit(source, sink, dictionary);
    } else {
        taviro::convert_units(source, sink, dictionary);
    }
    return sink.text();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: compare_loops SOURCE.txt DICTIONARY\n");
        return 2;
    }
    try {
        const taviro::WordStore dictionary(argv[2]);
        const std::u16string fast = convert(argv[1], dictionary, false);
        const std::u16string literal = convert(argv[1], dictionary, true);
        if (fast == literal) {
            std::printf("identical: %zu code units\n", fast.size());
            return 0;
        }
        std::size_t at = 0;
        while (at < fast.size() && at < literal.size() && fast[at] == literal[at]) ++at;
        std::printf("DIFFERENT from code unit %zu (fast %zu units, literal %zu units)\n", at, fast.size(),
                    literal.size());
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "compare_loops: %s\n", error.what());
        return 1;
    }
}
