// The options of taviro's terminal programs, read as getopt_long reads them.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace taviro {

// One option a program takes. `id` is what the reader gives back for it;
// `letter` is its short form, or '\0' for a long option alone.
struct OptionDefinition {
    const char* name;
    char letter;
    bool takes_value;
    int id;
};

// The options both programs take, defined once: the dictionary, the
// source's encoding, and the three that travel with the dictionary to every
// face (loanwords, spoken forms, the scheme). A program numbers its own
// options from kFirstOwnOption on.
enum SharedOptionId : int { kDictionary = 0x100, kFrom, kLoanwords, kSpoken, kScheme, kFirstOwnOption };
inline constexpr OptionDefinition kDictionaryOption{"dictionary", '\0', true, kDictionary};
inline constexpr OptionDefinition kFromOption{"from", '\0', true, kFrom};
inline constexpr OptionDefinition kLoanwordsOption{"loanwords", '\0', false, kLoanwords};
inline constexpr OptionDefinition kSpokenOption{"spoken", '\0', false, kSpoken};
inline constexpr OptionDefinition kSchemeOption{"scheme", '\0', true, kScheme};

// What getopt_long refused, with what a message needs to name it.
struct OptionRefusal {
    enum class Kind {
        unknown,         // no option of that name or letter
        ambiguous,       // an abbreviation of more than one long option
        needless_value,  // "--quiet=1"
        missing_value,   // "--jobs" or "-j" with nothing after it
    };
    Kind kind = Kind::unknown;
    bool long_form = false;  // written with "--"
    // As the user wrote it: "--frobnicate=1", "--fro", "-x". For a missing or
    // needless value, the option's own name: "--jobs", "-j".
    std::string option;
    std::string argument;  // the whole argument getopt_long stopped at: "--quiet=1"
    std::vector<std::string> possibilities;  // for an ambiguous one: "--force", "--from"
};

struct FoundOption {
    int id;
    std::string value;  // empty for an option without one
};

// Every option up to the end of the options or the first refusal, and the
// names around them, in their order.
struct ReadOptions {
    std::vector<FoundOption> options;
    std::vector<std::string> names;
    std::optional<OptionRefusal> refusal;
};

// Reads `arguments` (without the program name) as getopt_long reads them:
// short options bundled ("-qj2", "-qj 2"), long ones with "=" or the next
// argument for their value and abbreviated as long as the abbreviation is
// unambiguous, options and names in any order, "--" ending the options and
// "-" alone a name. Nothing is printed; the caller words a refusal.
ReadOptions read_options(std::span<const OptionDefinition> definitions, std::span<const char* const> arguments);

// A refusal in the words getopt_long itself would have used:
// "unrecognized option '--frobnicate'", "option requires an argument -- 'j'".
std::string getopt_wording(const OptionRefusal& refusal);

}  // namespace taviro
