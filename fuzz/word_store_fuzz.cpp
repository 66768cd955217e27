// The dictionary opener over arbitrary file contents: it opens the file and
// answers lookups, or refuses it with a StoreError, and never writes to it.

#include <cstdlib>

#include "scratch_file.h"
#include "taviro/run/word_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static taviro::fuzz::ScratchFile scratch("words.mdb");
    const std::filesystem::path& file = scratch.hold(data, size);
    try {
        const taviro::WordStore store(file);
        if (store.part_lookup(u"kamal") && !store.stem_lookup(u"kamal")) std::abort();
        if (store.count(u"") > store.size()) std::abort();
    } catch (const taviro::StoreError&) {
    }
    if (scratch.bytes() != std::string(reinterpret_cast<const char*>(data), size)) std::abort();
    return 0;
}
