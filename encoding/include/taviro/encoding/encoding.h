// The byte encodings of text that the command line reads and writes. Inside,
// text is always UTF-16 code units; these say how the bytes outside hold them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The two halves of a UTF-16 surrogate pair are the engine's.
#include "taviro/character_classes.h"

namespace taviro {

enum class Encoding {
    utf8,
    utf16le,
    utf16be,
};

// The name used on the command line and in messages: "utf-8", "utf-16le", "utf-16be".
std::string_view encoding_name(Encoding encoding) noexcept;

// The encoding a name stands for, ignoring case ("UTF-8" too); nothing for an unknown name.
std::optional<Encoding> find_encoding(std::string_view name) noexcept;

// What every front end takes for the encoding of the text it reads ("auto",
// the default, detects it) and of the Roman text it writes (UTF-16LE, the
// windows' own, or UTF-8), under its own name for the setting: "--from",
// "from_encoding", "to".
struct EncodingChoice {
    std::optional<Encoding> encoding;  // empty for "auto"
    std::string problem;               // set when the name is none of the choices
};
// `quoted_name` is the name as the front end shows it in a message.
EncodingChoice read_source_encoding(std::string_view name, std::string_view quoted_name,
                                    std::string_view setting);
EncodingChoice read_destination_encoding(std::string_view name, std::string_view quoted_name,
                                         std::string_view setting);

}  // namespace taviro
