#include "taviro/convert/text_conversion.h"

#include "in_memory_loop.h"
#include "taviro/convert/read_loop.h"
#include "taviro/convert/unit_sink.h"

namespace taviro {
namespace {

// Keeps the result itself, so each word's place in it is known as it comes.
class ReportingSink final : public UnitSink, public WordObserver {
public:
    void write(std::u16string_view text) override { result_.text.append(text); }

    void word_finished(std::size_t begin, std::size_t end, const FinishedWord& word) override {
        const std::size_t roman_begin = result_.text.size();
        WordReport& report = result_.words.emplace_back();
        static_cast<WordFinishing&>(report) = word;
        report.source_begin = begin;
        report.source_end = end;
        report.roman_begin = roman_begin;
        report.roman_end = roman_begin + word.text.size();
    }

    ConvertedText take() { return std::move(result_); }

private:
    ConvertedText result_;
};

}  // namespace

std::u16string convert_text(std::u16string_view text, const Dictionary& dictionary) {
    MemoryUnitSink sink;
    convert_units_in_memory(text, sink, dictionary);
    return sink.take();
}

ConvertedText convert_text_with_words(std::u16string_view text, const Dictionary& dictionary) {
    ReportingSink sink;
    convert_units_in_memory(text, sink, dictionary, &sink);
    return sink.take();
}

}  // namespace taviro
