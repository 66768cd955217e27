// What a failure was, told by its type, so that no face reads a message's
// words to decide anything; and what a face tells a person of one.
#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

namespace taviro {

enum class FailureKind : std::uint8_t {
    text,      // a text the rules refuse (EngineError)
    too_long,  // a word past the rules' 16-bit counter (EngineError's overflow)
    not_text,  // bytes that are no text at all (NotTextError)
    file,      // bytes not in their encoding, a file that cannot be read (RunError)
    usage,     // a call that cannot be served, such as an unknown encoding
};

[[nodiscard]] FailureKind failure_kind(const std::exception& error) noexcept;

// "text", "tooLong", "notText", "file", "usage": as JavaScript names them.
[[nodiscard]] std::string_view failure_kind_name(FailureKind kind) noexcept;
[[nodiscard]] std::optional<FailureKind> failure_kind_named(std::string_view name) noexcept;

// What a face that converts for a person shows of a failure: the message,
// after the name of the file (`quoted_name`, empty for a typed text) when
// the message is the text's and does not name it, and then what to do.
[[nodiscard]] std::string told_to_a_person(std::string_view message, FailureKind kind, std::string_view quoted_name);

// "cannot read 'notes.txt': Permission denied".
[[nodiscard]] std::string cannot(std::string_view action, std::string_view quoted_name, std::string_view reason);

}  // namespace taviro
