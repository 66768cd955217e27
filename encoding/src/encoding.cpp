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

namespace {

constexpr std::string_view kSourceChoices = "auto, utf-16le, utf-16be, utf-8";
constexpr std::string_view kDestinationChoices = "utf-16le, utf-8";

std::string unknown(std::string_view quoted_name, std::string_view setting, std::string_view choices) {
    std::string problem = "unknown encoding ";
    problem.append(quoted_name).append(" for ").append(setting).append(" (").append(choices).append(")");
    return problem;
}

}  // namespace

EncodingChoice read_source_encoding(std::string_view name, std::string_view quoted_name, std::string_view setting) {
    EncodingChoice choice;
    if (name == "auto") return choice;
    choice.encoding = find_encoding(name);
    if (!choice.encoding) choice.problem = unknown(quoted_name, setting, kSourceChoices);
    return choice;
}

// UTF-16BE is read, never written: no front end's reader asks for it.
EncodingChoice read_destination_encoding(std::string_view name, std::string_view quoted_name,
                                         std::string_view setting) {
    EncodingChoice choice;
    choice.encoding = find_encoding(name);
    if (!choice.encoding || *choice.encoding == Encoding::utf16be) {
        choice.encoding.reset();
        choice.problem = unknown(quoted_name, setting, kDestinationChoices);
    }
    return choice;
}

}  // namespace taviro
