#include "taviro/convert/failure_kind.h"

#include <array>

#include "taviro/convert/character_counter.h"
#include "taviro/convert/run_error.h"
#include "taviro/engine_error.h"

namespace taviro {
namespace {

constexpr std::array<std::string_view, 5> kFailureKindNames{"text", "tooLong", "notText", "file", "usage"};

// What a face that opens files for a person adds to "'x' is not a text file".
constexpr std::string_view kNotTextAdvice =
    "Open a file of Gurmukhi text (.txt); a document from a word processor can be saved as plain text first.";

}  // namespace

FailureKind failure_kind(const std::exception& error) noexcept {
    if (const auto* engine = dynamic_cast<const EngineError*>(&error)) {
        return engine->kind() == EngineError::Kind::overflow ? FailureKind::too_long : FailureKind::text;
    }
    if (dynamic_cast<const NotTextError*>(&error) != nullptr) return FailureKind::not_text;
    return dynamic_cast<const RunError*>(&error) != nullptr ? FailureKind::file : FailureKind::usage;
}

std::string_view failure_kind_name(FailureKind kind) noexcept {
    return kFailureKindNames[static_cast<std::size_t>(kind)];
}

std::optional<FailureKind> failure_kind_named(std::string_view name) noexcept {
    for (std::size_t kind = 0; kind < kFailureKindNames.size(); ++kind) {
        if (kFailureKindNames[kind] == name) return static_cast<FailureKind>(kind);
    }
    return std::nullopt;
}

std::string told_to_a_person(std::string_view message, FailureKind kind, std::string_view quoted_name) {
    // The engine's messages are about the text and never name a file; the
    // others name it themselves.
    const bool of_the_text = kind == FailureKind::text || kind == FailureKind::too_long;
    std::string told;
    if (of_the_text && !quoted_name.empty()) told.append(quoted_name).append(": ");
    told.append(message);
    if (kind == FailureKind::not_text) told.append(". ").append(kNotTextAdvice);
    if (kind == FailureKind::too_long) told.append(". ").append(too_long_advice(!quoted_name.empty()));
    return told;
}

std::string cannot(std::string_view action, std::string_view quoted_name, std::string_view reason) {
    std::string message = "cannot ";
    message.append(action).append(" ").append(quoted_name);
    if (!reason.empty()) message.append(": ").append(reason);
    return message;
}

}  // namespace taviro
