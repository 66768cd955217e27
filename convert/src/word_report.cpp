#include "taviro/convert/word_report.h"

namespace taviro {

WordReport report_word(const PlacedWord& word, std::u16string_view text, std::u16string_view converted) {
    const std::u16string_view written = converted.substr(word.roman_begin, word.roman_end - word.roman_begin);
    // In plain letters the marked text is the word's Roman text, which its pieces lie in.
    const bool plain = !word.marked.empty();
    WordReport report;
    report.source = text.substr(word.source_begin, word.source_end - word.source_begin);
    report.roman = plain ? std::u16string_view(word.marked) : written;
    if (plain) report.ascii = std::u16string(written);
    report.source_begin = word.source_begin;
    report.source_end = word.source_end;
    report.finish = finish_of(word);
    report.stem_begin = word.stem_begin;
    report.stem_end = word.stem_end;
    report.pieces = word_pieces(word);
    report.spoken = word.spoken_in_any_way();
    report.explanation = explain_word(word, text, converted);
    return report;
}

std::vector<WordReport> report_words(std::u16string_view text, const Dictionary& dictionary) {
    const ConvertedText converted = convert_text_with_words(text, dictionary);
    std::vector<WordReport> reports;
    reports.reserve(converted.words.size());
    for (const PlacedWord& word : converted.words) reports.push_back(report_word(word, text, converted.text));
    return reports;
}

}  // namespace taviro
