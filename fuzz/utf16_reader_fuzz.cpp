// A file read as UTF-16LE, as named, over arbitrary bytes: the decoding source
// gives every little-endian byte pair as one unit, skips one leading
// byte-order mark, refuses a file that ends in half a unit, and reads the same
// whatever the reads ask for.

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

#include "fuzz_input.h"
#include "scratch_file.h"
#include "taviro/convert/run_error.h"
#include "taviro/encoding/decoding_source.h"
#include "taviro/run/descriptor_streams.h"

namespace {

std::u16string expected_units(const std::uint8_t* data, std::size_t size) {
    std::u16string units = taviro::fuzz::utf16_from_bytes(data, size);
    if (!units.empty() && units.front() == u'\uFEFF') units.erase(0, 1);
    return units;
}

// Reads the whole file, asking for `read_sizes` units in turn. Returns whether
// the reader reached the end without an error.
bool read_all(const std::filesystem::path& file, std::span<const std::size_t> read_sizes, std::u16string& units) {
    taviro::InputFile bytes(file);
    taviro::DecodingSource reader(bytes, taviro::Encoding::utf16le, "'source.txt'");
    std::array<char16_t, 16384> block;
    try {
        for (std::size_t i = 0;; ++i) {
            const std::size_t wanted = std::min(read_sizes[i % read_sizes.size()], block.size());
            const std::size_t count = reader.read(std::span(block.data(), wanted));
            if (count > wanted) std::abort();
            if (count == 0) return true;
            units.append(block.data(), count);
        }
    } catch (const taviro::RunError&) {
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static taviro::fuzz::ScratchFile scratch("source.txt");
    const std::filesystem::path& file = scratch.hold(data, size);

    static constexpr std::size_t kLargeReads[] = {16384};
    static constexpr std::size_t kSmallReads[] = {1, 2, 3, 7, 64};
    for (const std::span<const std::size_t> read_sizes :
         {std::span<const std::size_t>(kLargeReads), std::span<const std::size_t>(kSmallReads)}) {
        std::u16string units;
        const bool completed = read_all(file, read_sizes, units);
        if (completed != (size % 2 == 0)) std::abort();
        const std::u16string expected = expected_units(data, size);
        // A refused file may stop before its last complete units, never past them.
        if (completed ? units != expected : !expected.starts_with(units)) std::abort();
    }
    return 0;
}
