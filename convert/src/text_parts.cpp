#include "taviro/convert/text_parts.h"

#include <algorithm>
#include <cstddef>

#include "taviro/convert/text_conversion.h"

namespace taviro {
namespace {

// How many units two texts begin with alike.
std::size_t common_start(std::u16string_view a, std::u16string_view b) {
    return static_cast<std::size_t>(std::mismatch(a.begin(), a.begin() + std::min(a.size(), b.size()), b.begin()).first -
                                    a.begin());
}

// Where `at`, a place in the source text, falls in the Roman text.
class PlaceFinder {
public:
    PlaceFinder(std::u16string_view source, const ConvertedText& converted, WordMemory& memory)
        : source_(source), converted_(converted), memory_(memory) {}

    // Asked in order, `at` never less than before.
    std::size_t roman_place(std::size_t at) {
        const std::vector<PlacedWord>& words = converted_.words;
        while (next_ < words.size() && words[next_].source_end <= at) ++next_;
        if (next_ < words.size() && words[next_].source_begin < at) return inside_word(words[next_], at);
        return between_words(at);
    }

private:
    // Separators and words without Gurmukhi keep their length but for a few
    // (a CR LF is a line feed, a format character beside a word is gone): a
    // place in a gap keeps its distance from the gap's start, as far as the
    // Roman gap reaches.
    std::size_t between_words(std::size_t at) const {
        const bool first = next_ == 0;
        const PlacedWord* before = first ? nullptr : &converted_.words[next_ - 1];
        const std::size_t source_start = first ? 0 : before->source_end;
        const std::size_t roman_start = first ? 0 : before->roman_end;
        const std::size_t roman_end =
            next_ < converted_.words.size() ? converted_.words[next_].roman_begin : converted_.text.size();
        return roman_start + std::min(at - source_start, roman_end - roman_start);
    }

    // The Roman letters the word's text up to `at` is written with alone,
    // as far as the whole word begins with them.
    std::size_t inside_word(const PlacedWord& word, std::size_t at) {
        const std::u16string alone = convert_text(source_.substr(word.source_begin, at - word.source_begin), memory_);
        const std::u16string_view roman =
            std::u16string_view(converted_.text).substr(word.roman_begin, word.roman_end - word.roman_begin);
        const std::size_t place = word.roman_begin + common_start(alone, roman);
        // A later cut of the same word never goes back before an earlier one.
        if (last_word_ == &word) place_in_word_ = std::max(place_in_word_, place);
        else place_in_word_ = place;
        last_word_ = &word;
        return place_in_word_;
    }

    std::u16string_view source_;
    const ConvertedText& converted_;
    WordMemory& memory_;
    std::size_t next_ = 0;  // the first word not ended before the place last asked
    const PlacedWord* last_word_ = nullptr;
    std::size_t place_in_word_ = 0;
};

}  // namespace

std::vector<std::u16string> convert_text_in_parts(std::span<const std::u16string_view> parts,
                                                  const Dictionary& dictionary) {
    WordMemory memory(dictionary);
    return convert_text_in_parts(parts, memory);
}

std::vector<std::u16string> convert_text_in_parts(std::span<const std::u16string_view> parts, WordMemory& memory) {
    // A text in one part needs no word's place: most paragraphs are one text node.
    if (parts.size() == 1) return {convert_text(parts.front(), memory)};
    std::u16string joined;
    for (std::u16string_view part : parts) joined += part;
    const ConvertedText converted = convert_text_with_words(joined, memory);
    PlaceFinder finder(joined, converted, memory);
    std::vector<std::u16string> roman;
    roman.reserve(parts.size());
    std::size_t source_end = 0;
    std::size_t roman_begin = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        source_end += parts[i].size();
        const std::size_t roman_end = i + 1 == parts.size() ? converted.text.size() : finder.roman_place(source_end);
        roman.push_back(converted.text.substr(roman_begin, roman_end - roman_begin));
        roman_begin = roman_end;
    }
    return roman;
}

}  // namespace taviro
