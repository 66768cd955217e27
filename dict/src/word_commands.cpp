// lookup, explain and stats: how a dictionary finishes words, without
// changing it.

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>

#include "dict_commands.h"
#include "dictionary_files.h"
#include "taviro/convert/read_loop.h"
#include "taviro/convert/dictionary_entry.h"
#include "taviro/convert/text_conversion.h"
#include "taviro/convert/word_explanation.h"
#include "taviro/convert/word_report.h"
#include "taviro/dict/word_lookup.h"
#include "taviro/encoding/decoding_source.h"
#include "taviro/encoding/utf8_decoder.h"
#include "taviro/gurmukhi.h"
#include "taviro/run/descriptor_streams.h"
#include "taviro/run/file_error.h"
#include "taviro/word_builder.h"

namespace taviro {
namespace {

// Takes the converted text and keeps none of it.
class DiscardingSink final : public UnitSink {
public:
    void write(std::u16string_view) override {}
};

}  // namespace

// Answers each word of the command line: `answer` prints its lines and says
// whether it could. A word that is no UTF-8, or that the rules refuse, is told
// on standard error and fails the command; the other words are still answered.
template <class Answer>
ExitStatus answer_each_word(const DictArguments& arguments, const std::string& command, Answer answer) {
    if (arguments.names.empty()) {
        throw UsageError{command + " needs one or more words"};
    }
    const auto dictionary = open_dictionary(arguments);
    ExitStatus status = kCompleted;
    for (const std::string& word : arguments.names) {
        const auto units = decode_utf8(word);
        if (!units) {
            tell("the word '" + word + "' is not UTF-8");
            status = kNotCompleted;
            continue;
        }
        try {
            if (!answer(word, *units, *dictionary)) status = kNotCompleted;
        } catch (const EngineError& error) {
            tell(word + ": " + error.what());
            status = kNotCompleted;
        }
    }
    return status;
}

ExitStatus look_up_words(const DictArguments& arguments) {
    return answer_each_word(arguments, "lookup", [](const std::string&, const std::u16string& units, const auto& dictionary) {
        std::cout << describe(units, look_up(units, dictionary)) << '\n';
        return true;
    });
}

// Each word of each argument as a conversion of that argument alone writes it,
// and how it was finished, in the words the page and Python use.
ExitStatus explain_words(const DictArguments& arguments) {
    return answer_each_word(arguments, "explain", [](const std::string& word, const std::u16string& units,
                                                     const auto& dictionary) {
        bool explained = false;
        for (const WordReport& report : report_words(units, dictionary)) {
            // A Roman word is a word to the read loop, but there is nothing to tell of it.
            if (holds_gurmukhi(report.source)) {
                std::cout << to_utf8(report.explanation);
                if (report.finish == Finish::rules && dictionary.stem_lookup(romanize_word(report.source))) {
                    std::cout << " (" << held_word_wording() << ')';
                }
                std::cout << '\n';
                explained = true;
            }
        }
        if (!explained) {
            tell(quoted_name(word) + " holds no Gurmukhi letter");
        }
        return explained;
    });
}

ExitStatus count_finishes(const DictArguments& arguments) {
    if (arguments.names.size() != 1) {
        throw UsageError{"stats needs one text"};
    }
    const auto dictionary = open_dictionary(arguments);
    const std::string& name = arguments.names.front();
    const bool standard_input = name == "-";
    InputFile text = standard_input ? InputFile(STDIN_FILENO, "standard input") : InputFile(std::filesystem::path(name));
    DecodingSource source(text, arguments.from, standard_input ? "standard input" : quoted_name(name));
    DiscardingSink sink;
    const FinishCounts counts = convert_units(source, sink, *dictionary);
    std::cout << "words: " << counts.words << '\n'
              << "prefix: " << counts.prefixes << '\n'
              << "suffix: " << counts.suffixes << '\n'
              << "split: " << counts.splits << '\n'
              << "lexicon: " << counts.lexicon << '\n'
              << "none: " << counts.unconfirmed << '\n';
    return kCompleted;
}

}  // namespace taviro
