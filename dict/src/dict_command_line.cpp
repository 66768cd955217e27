#include "dict_command_line.h"

#include <array>

#include "taviro/run/file_error.h"
#include "taviro/terminal/option_reader.h"
#include "taviro/encoding/encoding.h"
#include "taviro/plain_letters.h"
#include "taviro/terminal/message_text.h"

namespace taviro {
namespace {

enum OptionId : int { kOutput = 'o', kBase = kFirstOwnOption, kForce };

constexpr auto kOptions = std::to_array<OptionDefinition>({
    {"output", 'o', true, kOutput}, kDictionaryOption, {"base", '\0', true, kBase}, {"force", '\0', false, kForce},
    kFromOption, kLoanwordsOption, kSpokenOption, kSchemeOption,
});

// taviro-dict's own words for what getopt_long refused, as it has always said them.
std::string refusal_wording(const OptionRefusal& refusal) {
    if (refusal.kind == OptionRefusal::Kind::missing_value) {
        return "option " + quoted_name(refusal.option) + " needs a value";
    }
    return "unknown option " + quoted_name(refusal.long_form ? refusal.argument : refusal.option);
}

}  // namespace

DictArguments parse_dict_arguments(std::span<const char* const> arguments) {
    DictArguments parsed;
    parsed.command = arguments.front();
    ReadOptions read = read_options(kOptions, arguments.subspan(1));
    for (FoundOption& found : read.options) {
        switch (found.id) {
        case kOutput:
            parsed.output = std::move(found.value);
            break;
        case kDictionary:
            parsed.dictionary = std::move(found.value);
            break;
        case kBase:
            parsed.base = std::move(found.value);
            break;
        case kForce:
            parsed.force = true;
            break;
        case kLoanwords:
            parsed.loanwords = true;
            break;
        case kSpoken:
            parsed.spoken = true;
            break;
        case kScheme: {
            const std::optional<Scheme> scheme = scheme_named(found.value);
            if (!scheme) throw UsageError{unknown_scheme(quoted_text(found.value), "--scheme")};
            parsed.scheme = *scheme;
            break;
        }
        case kFrom: {
            EncodingChoice choice = read_source_encoding(found.value, quoted_text(found.value), "--from");
            if (!choice.problem.empty()) {
                throw UsageError{std::move(choice.problem)};
            }
            parsed.from = choice.encoding;
            break;
        }
        default:
            break;
        }
    }
    if (read.refusal) {
        throw UsageError{refusal_wording(*read.refusal)};
    }
    parsed.names = std::move(read.names);
    if ((parsed.base || parsed.force) && parsed.command != "build") {
        throw UsageError{std::string(parsed.base ? "--base" : "--force") + " is for build only"};
    }
    return parsed;
}

}  // namespace taviro
