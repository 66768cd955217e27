#include "taviro/encoding/utf8_decoder.h"

#include <array>
#include <cstdio>

namespace taviro {
namespace {

// What a lead byte says about its character: how many continuation bytes
// follow, the value bits it carries, and the range its first continuation
// byte must lie in. The narrowed ranges rule out overlong forms (E0, F0),
// surrogates (ED) and values past U+10FFFF (F4), as the Unicode standard's
// table of well-formed byte sequences does.
struct LeadRange {
    unsigned char first;
    unsigned char last;
    int continuations;
    unsigned char mask;
    unsigned char lowest;
    unsigned char highest;
};

constexpr std::array<LeadRange, 8> kLeadRanges{{
    {0xC2, 0xDF, 1, 0x1F, 0x80, 0xBF},
    {0xE0, 0xE0, 2, 0x0F, 0xA0, 0xBF},
    {0xE1, 0xEC, 2, 0x0F, 0x80, 0xBF},
    {0xED, 0xED, 2, 0x0F, 0x80, 0x9F},
    {0xEE, 0xEF, 2, 0x0F, 0x80, 0xBF},
    {0xF0, 0xF0, 3, 0x07, 0x90, 0xBF},
    {0xF1, 0xF3, 3, 0x07, 0x80, 0xBF},
    {0xF4, 0xF4, 3, 0x07, 0x80, 0x8F},
}};

// The range of every byte that may lead a character of two or more bytes,
// looked up directly: every such byte of a text needs it.
constexpr std::array<const LeadRange*, 256> kLeadOfByte = [] {
    std::array<const LeadRange*, 256> leads{};
    for (const LeadRange& range : kLeadRanges) {
        for (unsigned byte = range.first; byte <= range.last; ++byte) {
            leads[byte] = &range;
        }
    }
    return leads;
}();

const LeadRange* find_lead(unsigned char byte) {
    return kLeadOfByte[byte];
}

// Writes the one or two code units of `value` and returns where they end.
char16_t* put_utf16(char16_t* to, char32_t value) {
    if (value < 0x10000) {
        *to++ = static_cast<char16_t>(value);
        return to;
    }
    value -= 0x10000;
    *to++ = static_cast<char16_t>(0xD800 + (value >> 10));
    *to++ = static_cast<char16_t>(0xDC00 + (value & 0x3FF));
    return to;
}

void append_utf16(std::u16string& units, char32_t value) {
    std::array<char16_t, 2> pair{};
    units.append(pair.data(), put_utf16(pair.data(), value));
}

// Decodes the whole, well-formed characters at the start of `bytes` into `to`
// and returns how many bytes they took; stops before anything else (a fault, a
// character cut off at the end), which the byte-at-a-time path then reads.
// Every byte of a text passes here, so it is kept tight.
std::size_t decode_whole_characters(std::string_view bytes, char16_t*& to) {
    const auto* const begin = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = begin + bytes.size();
    const auto* at = begin;
    while (at != end) {
        if (*at < 0x80) {
            *to++ = *at++;
            continue;
        }
        const LeadRange* lead = find_lead(*at);
        if (lead == nullptr || end - at <= lead->continuations || at[1] < lead->lowest || at[1] > lead->highest) {
            break;
        }
        if (lead->continuations == 2 && (at[2] & 0xC0) == 0x80) {
            // Three bytes, as every Gurmukhi letter takes: no loop.
            *to++ = static_cast<char16_t>(((*at & 0x0Fu) << 12) | ((at[1] & 0x3Fu) << 6) | (at[2] & 0x3Fu));
            at += 3;
            continue;
        }
        char32_t value = *at & lead->mask;
        int taken = 1;
        for (; taken <= lead->continuations && (at[taken] & 0xC0) == 0x80; ++taken) {
            value = (value << 6) | (at[taken] & 0x3Fu);
        }
        if (taken <= lead->continuations) {
            break;
        }
        to = put_utf16(to, value);
        at += taken;
    }
    return static_cast<std::size_t>(at - begin);
}

}  // namespace

std::string describe(const Utf8Fault& fault) {
    std::string text = "byte offset " + std::to_string(fault.offset) + " (";
    for (std::size_t i = 0; i < fault.bytes.size(); ++i) {
        std::array<char, 8> hex{};
        std::snprintf(hex.data(), hex.size(), "%s0x%02X", i == 0 ? "" : " ",
                      static_cast<unsigned>(static_cast<unsigned char>(fault.bytes[i])));
        text += hex.data();
    }
    return text + ")";
}

std::optional<Utf8Fault> Utf8Decoder::decode(std::string_view bytes, std::u16string& units) {
    // Decoded a slice at a time into a buffer of its own, and appended: making
    // room in `units` first would have it cleared before it is written.
    constexpr std::size_t kSliceBytes = 8192;
    std::array<char16_t, kSliceBytes> decoded;  // no character has more units than bytes
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (missing_ == 0) {
            char16_t* to = decoded.data();
            const std::string_view slice = bytes.substr(at, kSliceBytes);
            const std::size_t taken = decode_whole_characters(slice, to);
            units.append(decoded.data(), static_cast<std::size_t>(to - decoded.data()));
            at += taken;
            offset_ += taken;
            // A slice may end inside a character, which is then read below.
            if (at == bytes.size() || taken == slice.size()) {
                continue;
            }
        }
        const auto byte = static_cast<unsigned char>(bytes[at]);
        auto fault = missing_ == 0 ? start_sequence(byte, units) : continue_sequence(byte, units);
        if (fault) {
            return fault;
        }
        ++offset_;
        ++at;
    }
    return std::nullopt;
}

std::optional<Utf8Fault> Utf8Decoder::finish() const {
    if (missing_ == 0) {
        return std::nullopt;
    }
    return Utf8Fault{sequence_offset_, sequence_};
}

std::optional<Utf8Fault> Utf8Decoder::start_sequence(unsigned char byte, std::u16string& units) {
    if (byte < 0x80) {
        units.push_back(byte);
        return std::nullopt;
    }
    sequence_.assign(1, static_cast<char>(byte));
    sequence_offset_ = offset_;
    const LeadRange* lead = find_lead(byte);
    if (lead == nullptr) {
        return Utf8Fault{offset_, sequence_};
    }
    missing_ = lead->continuations;
    value_ = byte & lead->mask;
    lowest_ = lead->lowest;
    highest_ = lead->highest;
    return std::nullopt;
}

std::optional<Utf8Fault> Utf8Decoder::continue_sequence(unsigned char byte, std::u16string& units) {
    sequence_.push_back(static_cast<char>(byte));
    if (byte < lowest_ || byte > highest_) {
        return Utf8Fault{sequence_offset_, sequence_};
    }
    value_ = (value_ << 6) | (byte & 0x3Fu);
    lowest_ = 0x80;
    highest_ = 0xBF;
    if (--missing_ == 0) {
        append_utf16(units, value_);
    }
    return std::nullopt;
}

std::optional<std::u16string> decode_utf8(std::string_view utf8) {
    std::u16string units;
    units.reserve(utf8.size());
    Utf8Decoder decoder;
    if (decoder.decode(utf8, units) || decoder.finish()) {
        return std::nullopt;
    }
    return units;
}

}  // namespace taviro
