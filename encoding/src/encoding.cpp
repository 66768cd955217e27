#include "taviro/encoding/encoding.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace taviro {
namespace {

struct NamedEncoding {
    Encoding encoding;
    std::string_view name;
};

constexpr std::array<NamedEncoding, 3> kNames{{
    {Encoding::utf8, "utf-8"},
    {Encoding::utf16le, "utf-16le"},
    {Encoding::utf16be, "utf-16be"},
}};

bool same_ignoring_case(std::string_view given, std::string_view name) {
    return std::equal(given.begin(), given.end(), name.begin(), name.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == static_cast<unsigned char>(b);
    });
}

}  // namespace

std::string_view encoding_name(Encoding encoding) noexcept {
    for (const NamedEncoding& named : kNames) {
        if (named.encoding == encoding) {
            return named.name;
        }
    }
    return {};
}

std::optional<Encoding> find_encoding(std::string_view name) noexcept {
    for (const NamedEncoding& named : kNames) {
        if (same_ignoring_case(name, named.name)) {
            return named.encoding;
        }
    }
    return std::nullopt;
}

}  // namespace taviro
