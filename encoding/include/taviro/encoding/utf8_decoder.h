// Strict UTF-8 to UTF-16 decoding, fed in pieces of any size.
//
// Written here rather than taken from a library: the standard library's
// codecvt facets are deprecated and say nothing about where input went wrong,
// and ICU would be a large dependency for one well-defined conversion. A user
// whose file holds a bad byte needs to be told where it is, so every fault
// carries the offset of the sequence it spoils, counted from the first byte
// ever fed. Nothing is ever replaced: overlong forms, surrogates, values past
// U+10FFFF and cut-off sequences are all faults.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace taviro {

struct Utf8Fault {
    std::uint64_t offset;  // of the first byte of the ill-formed sequence
    std::string bytes;     // that sequence, up to and including the byte that spoilt it
};

// "byte offset 12 (0xE0 0xA8 0x41)"
std::string describe(const Utf8Fault& fault);

class Utf8Decoder {
public:
    // Appends the code units of `bytes` to `units`. A character cut off at the
    // end of `bytes` waits for the next call. Returns the first fault; the
    // decoder must not be used after one.
    std::optional<Utf8Fault> decode(std::string_view bytes, std::u16string& units);
    // The fault of a character left incomplete at the end of the input, if any.
    std::optional<Utf8Fault> finish() const;

private:
    std::optional<Utf8Fault> start_sequence(unsigned char byte, std::u16string& units);
    std::optional<Utf8Fault> continue_sequence(unsigned char byte, std::u16string& units);

    std::uint64_t offset_ = 0;  // of the next byte
    std::string sequence_;      // bytes of the character being read
    std::uint64_t sequence_offset_ = 0;
    int missing_ = 0;           // continuation bytes still to come
    char32_t value_ = 0;
    unsigned char lowest_ = 0x80;   // the range the next continuation byte must lie in
    unsigned char highest_ = 0xBF;  // (narrower after E0, ED, F0 and F4)
};

// The UTF-16 text of `utf8`, or nothing when it is not well-formed UTF-8.
std::optional<std::u16string> decode_utf8(std::string_view utf8);

}  // namespace taviro
