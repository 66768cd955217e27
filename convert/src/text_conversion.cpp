#include "taviro/convert/text_conversion.h"

#include "in_memory_loop.h"
#include "taviro/convert/read_loop.h"
#include "taviro/convert/unit_sink.h"
#include "taviro/word_builder.h"

namespace taviro {
namespace {

// Keeps the result itself, so each word's place in it is known as it comes.
class ReportingSink final : public UnitSink, public WordObserver {
public:
    ReportingSink(std::u16string_view source, const Dictionary& dictionary, std::size_t most_words)
        : most_words_(most_words),
          source_(source),
          dictionary_(dictionary),
          plain_(dictionary.scheme() == Scheme::ascii) {}

    void write(std::u16string_view text) override { result_.text.append(text); }

    void word_finished(std::size_t begin, std::size_t end, const FinishedWord& word, bool final_a_dropped) override {
        if (result_.words.size() == most_words_) return;  // too many to report: none will be
        const std::size_t roman_begin = result_.text.size();
        PlacedWord& report = result_.words.emplace_back();
        static_cast<WordFinishing&>(report) = word;
        report.source_begin = begin;
        report.source_end = end;
        report.roman_begin = roman_begin;
        report.roman_end = roman_begin + word.text.size();
        if (plain_) {
            const FinishedWord marked = finish_again(report, final_a_dropped, {dictionary_.spoken_forms(), Scheme::marks});
            static_cast<WordFinishing&>(report) = marked;
            report.marked = marked.text;
        }
        if (report.spoken_in_any_way() && (report.prefix || report.suffix || report.split)) {
            const FinishedWord rules = finish_again(report, final_a_dropped, {false, Scheme::marks});
            report.pieces_text = rules.text;
            report.pieces_stem_begin = rules.stem_begin;
            report.pieces_stem_end = rules.stem_end;
        }
    }

    ConvertedText take(std::size_t word_count) {
        result_.word_count = word_count;
        if (word_count > most_words_) result_.words.clear();
        return std::move(result_);
    }

private:
    // The word finished again, written as `writing` says, with the word end
    // the run chose: the marked text of a word in plain letters, and what the
    // rules and the dictionary alone make of a word, whose pieces are the
    // dictionary's words.
    FinishedWord finish_again(const PlacedWord& report, bool final_a_dropped, WordWriting writing) const {
        const std::u16string_view units = source_.substr(report.source_begin, report.source_end - report.source_begin);
        WordBuilder builder;
        builder.add_word(units);
        builder.end(final_a_dropped);
        return finish_built_word(builder, dictionary_, writing);
    }

    std::size_t most_words_;
    std::u16string_view source_;
    const Dictionary& dictionary_;
    bool plain_;
    ConvertedText result_;
};

}  // namespace

std::u16string convert_text(std::u16string_view text, const Dictionary& dictionary) {
    MemoryUnitSink sink;
    // Roman text runs a little longer than its Gurmukhi: vowel signs become
    // letters, aspirates two, line ends two.
    sink.reserve(text.size() + text.size() / 4);
    convert_units_in_memory(text, sink, dictionary);
    return sink.take();
}

ConvertedText convert_text_with_words(std::u16string_view text, const Dictionary& dictionary, std::size_t most_words) {
    ReportingSink sink(text, dictionary, most_words);
    const FinishCounts counts = convert_units_in_memory(text, sink, dictionary, &sink);
    return sink.take(counts.words);
}

}  // namespace taviro
