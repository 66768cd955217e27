#include "taviro/dict/word_list.h"

#include <cstdint>
#include <stdexcept>

#include "taviro/encoding/utf8_decoder.h"

namespace taviro {
namespace {

constexpr std::string_view kBlanks = " \t\r\f\v";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr char kCommentMark = '#';

std::string_view trim_blanks(std::string_view line) {
    const std::size_t first = line.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

std::string describe(const WordListTally& tally, std::size_t written) {
    return std::to_string(tally.read) + " entries read; dropped " +
           std::to_string(tally.count(EntryVerdict::holds_separator)) + " holding a separator, " +
           std::to_string(tally.count(EntryVerdict::no_vowel)) + " without a vowel, " +
           std::to_string(tally.count(EntryVerdict::not_letters_only)) + " not letters only, " +
           std::to_string(tally.count(EntryVerdict::untransliterable)) + " not transliterable, " +
           std::to_string(tally.not_utf8) + " not UTF-8, " + std::to_string(tally.repeated) +
           " repeating a text; " + std::to_string(written) + " words written";
}

void WordListReader::read(std::istream& list, const std::string& name) {
    std::string line;
    for (std::size_t line_number = 1; std::getline(list, line); ++line_number) {
        std::string_view text = line;
        if (line_number == 1 && text.starts_with(kUtf8ByteOrderMark)) {
            text.remove_prefix(kUtf8ByteOrderMark.size());
        }
        take_line(text, name, line_number);
    }
    if (list.bad()) {
        throw std::runtime_error("cannot read '" + name + "'");
    }
}

void WordListReader::take_line(std::string_view line, const std::string& name, std::size_t line_number) {
    const std::string_view entry_text = trim_blanks(line);
    if (entry_text.empty() || entry_text.front() == kCommentMark) {
        return;
    }
    ++tally_.read;
    Utf8Decoder decoder;
    std::u16string gurmukhi;
    auto fault = decoder.decode(entry_text, gurmukhi);
    if (!fault) {
        fault = decoder.finish();
    }
    if (fault) {
        ++tally_.not_utf8;
        fault->offset += static_cast<std::uint64_t>(entry_text.data() - line.data());
        notes_.push_back(name + ":" + std::to_string(line_number) + ": not UTF-8 at " + describe(*fault) +
                         ", left out");
        return;
    }
    DictionaryEntry entry = romanize_entry(gurmukhi);
    ++tally_.by_verdict[static_cast<std::size_t>(entry.verdict)];
    if (entry.verdict != EntryVerdict::kept) {
        return;
    }
    if (!seen_.insert(entry.roman).second) {
        ++tally_.repeated;
        return;
    }
    words_.push_back(std::move(entry.roman));
}

}  // namespace taviro
