#include "taviro/dict/word_list.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>

#include "taviro/encoding/decoding_source.h"
#include "taviro/encoding/encoding_detection.h"
#include "taviro/encoding/utf8_decoder.h"
#include "taviro/run/file_error.h"

namespace taviro {
namespace {

constexpr std::string_view kBlanks = " \t\r\f\v";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr char kCommentMark = '#';

template <typename Char>
std::basic_string_view<Char> trim_blanks(std::basic_string_view<Char> line) {
    const auto is_blank = [](Char c) {
        return c < 0x80 && kBlanks.find(static_cast<char>(c)) != std::string_view::npos;
    };
    std::size_t first = 0;
    std::size_t last = line.size();
    while (first < last && is_blank(line[first])) ++first;
    while (last > first && is_blank(line[last - 1])) --last;
    return line.substr(first, last - first);
}

}  // namespace

std::string describe(const WordListTally& tally, std::size_t written, std::optional<std::size_t> base_words) {
    std::string text = std::to_string(tally.read) + " entries read; dropped " +
           std::to_string(tally.count(EntryVerdict::holds_separator)) + " holding a separator, " +
           std::to_string(tally.count(EntryVerdict::no_vowel)) + " without a vowel, " +
           std::to_string(tally.count(EntryVerdict::not_letters_only)) + " not letters only, " +
           std::to_string(tally.count(EntryVerdict::untransliterable)) + " not transliterable, " +
           std::to_string(tally.count(EntryVerdict::not_gurmukhi)) + " not Gurmukhi, " +
           std::to_string(tally.not_utf8) + " not UTF-8, " + std::to_string(tally.repeated) + " repeating a text";
    if (!base_words) {
        return text + "; " + std::to_string(written) + " words written";
    }
    return text + ", " + std::to_string(tally.in_base) + " already in the base; " + std::to_string(*base_words) +
           " words of the base and " + std::to_string(written) + " of the lists written";
}

void WordListReader::build_on(const std::vector<std::u16string>& base_words) {
    base_.insert(base_words.begin(), base_words.end());
}

void WordListReader::read(std::istream& list, const std::string& name) {
    std::string prefix(kDetectionBytes, '\0');
    list.read(prefix.data(), static_cast<std::streamsize>(prefix.size()));
    prefix.resize(static_cast<std::size_t>(list.gcount()));
    if (list.bad()) {
        throw std::runtime_error("cannot read " + quoted_name(name));
    }
    list.clear();
    list.seekg(0);
    if (detect_encoding(prefix) == Encoding::utf8) {
        read_utf8(list, name);
    } else {
        read_utf16(list, name);
    }
}

// Each line on its own, so that a line that is no UTF-8 costs only itself.
void WordListReader::read_utf8(std::istream& list, const std::string& name) {
    std::string line;
    for (std::size_t line_number = 1; std::getline(list, line); ++line_number) {
        std::string_view text = line;
        if (line_number == 1 && text.starts_with(kUtf8ByteOrderMark)) {
            text.remove_prefix(kUtf8ByteOrderMark.size());
        }
        take_line(text, name, line_number);
    }
    if (list.bad()) {
        throw std::runtime_error("cannot read " + quoted_name(name));
    }
}

// A UTF-16 list is decoded whole: its bytes have no lines until then.
void WordListReader::read_utf16(std::istream& list, const std::string& name) {
    DecodingSource source(list, std::nullopt, quoted_name(name));
    std::u16string text;
    std::array<char16_t, 4096> block;
    while (const std::size_t count = source.read(block)) {
        text.append(block.data(), count);
    }
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find(u'\n', start), text.size());
        take_entry(trim_blanks(std::u16string_view(text).substr(start, end - start)));
        start = end + 1;
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
    take_decoded_entry(gurmukhi);
}

void WordListReader::take_entry(std::u16string_view entry_text) {
    if (entry_text.empty() || entry_text.front() == kCommentMark) {
        return;
    }
    ++tally_.read;
    take_decoded_entry(entry_text);
}

void WordListReader::take_decoded_entry(std::u16string_view gurmukhi) {
    DictionaryEntry entry = romanize_entry(gurmukhi);
    ++tally_.by_verdict[static_cast<std::size_t>(entry.verdict)];
    if (entry.verdict != EntryVerdict::kept) {
        return;
    }
    if (!seen_.insert(entry.roman).second) {
        ++tally_.repeated;
        return;
    }
    if (base_.contains(entry.roman)) {
        ++tally_.in_base;
        return;
    }
    words_.push_back(std::move(entry.roman));
}

}  // namespace taviro
