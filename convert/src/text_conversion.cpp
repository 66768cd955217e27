#include "taviro/convert/text_conversion.h"

#include "in_memory_loop.h"
#include "taviro/convert/read_loop.h"
#include "taviro/convert/unit_sink.h"

namespace taviro {
namespace {

// Keeps the result itself, so each word's place in it is known as it comes.
class ReportingSink final : public UnitSink, public WordObserver {
public:
    explicit ReportingSink(std::size_t most_words) : most_words_(most_words) {}

    void write(std::u16string_view text) override { result_.text.append(text); }

    void word_finished(std::size_t begin, std::size_t end, const FinishedWord& word) override {
        if (result_.words.size() == most_words_) return;  // too many to report: none will be
        const std::size_t roman_begin = result_.text.size();
        PlacedWord& report = result_.words.emplace_back();
        static_cast<WordFinishing&>(report) = word;
        report.source_begin = begin;
        report.source_end = end;
        report.roman_begin = roman_begin;
        report.roman_end = roman_begin + word.text.size();
        if (!word.marked.text.empty()) {
            report.marked = word.marked.text;
            report.stem_begin = word.marked.stem_begin;
            report.stem_end = word.marked.stem_end;
        }
        report.pieces_text = word.before_spoken.text;
        report.pieces_stem_begin = word.before_spoken.stem_begin;
        report.pieces_stem_end = word.before_spoken.stem_end;
    }

    ConvertedText take(std::size_t word_count) {
        result_.word_count = word_count;
        if (word_count > most_words_) result_.words.clear();
        return std::move(result_);
    }

private:
    std::size_t most_words_;
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
    ReportingSink sink(most_words);
    const FinishCounts counts = convert_units_in_memory(text, sink, dictionary, &sink);
    return sink.take(counts.words);
}

std::u16string convert_text(std::u16string_view text, WordMemory& memory) {
    MemoryUnitSink sink;
    sink.reserve(text.size() + text.size() / 4);
    convert_units_in_memory(text, sink, memory);
    return sink.take();
}

ConvertedText convert_text_with_words(std::u16string_view text, WordMemory& memory) {
    ReportingSink sink(SIZE_MAX);
    const FinishCounts counts = convert_units_in_memory(text, sink, memory, &sink);
    return sink.take(counts.words);
}

}  // namespace taviro
