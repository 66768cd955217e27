// Golden files: the Roman text of fixed slices of both corpora, by the rules,
// with loanwords, in spoken forms and in plain letters, through the shipped dictionary. Every
// other test compares one front end with another, which a change of the rules
// moves together; these hold the rules themselves. A meant change regenerates
// them with tests/run/golden/regenerate.py, and the diff is read.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "taviro/character_classes.h"
#include "taviro/convert/read_loop.h"
#include "taviro/convert/separator.h"
#include "taviro/encoding/encoding_sink.h"
#include "taviro/encoding/text_decoding.h"
#include "taviro/run/word_store.h"

namespace taviro {
namespace {

constexpr std::size_t kBlockLines = 50;  // as regenerate.py digests the Wikipedia text

struct Mode {
    const char* name;
    WordStoreOptions options;
};
void PrintTo(const Mode& mode, std::ostream* os) { *os << mode.name; }

std::string read_file(const std::string& name) {
    std::ifstream file(name, std::ios::binary);
    EXPECT_TRUE(file) << "cannot read " << name;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// As `taviro-convert --to utf-8` writes it.
std::string roman_utf8(const std::string& utf8, const Dictionary& dictionary) {
    MemoryUnitSource units(decode_text(utf8, "the golden text").units);
    MemoryUnitSink roman;
    convert_units(units, roman, dictionary);
    return encoded_text(roman.text(), Encoding::utf8);
}

// The lines wikipedia-lines.txt names, each ended by a line feed.
std::string wikipedia_slice() {
    const std::vector<std::string> corpus = lines_of(read_file(TAVIRO_WIKIPEDIA));
    std::string slice;
    for (const std::string& line : lines_of(read_file(TAVIRO_GOLDEN_DIR "/wikipedia-lines.txt"))) {
        if (line.empty() || line.starts_with('#')) continue;
        const std::size_t dash = line.find('-');
        const std::size_t first = std::stoul(line.substr(0, dash));
        const std::size_t last = dash == std::string::npos ? first : std::stoul(line.substr(dash + 1));
        for (std::size_t number = first; number <= last; ++number) slice += corpus.at(number - 1) + '\n';
    }
    return slice;
}

std::uint64_t fnv1a64(const std::string& bytes) {
    std::uint64_t value = 0xcbf29ce484222325;
    for (const char byte : bytes) value = (value ^ static_cast<unsigned char>(byte)) * 0x100000001b3;
    return value;
}

class Golden : public ::testing::TestWithParam<Mode> {
protected:
    const WordStore words{TAVIRO_WORDS_MDB, GetParam().options};
};

TEST_P(Golden, UserInterfaceTextIsWrittenAsItsGoldenFileSays) {
    const std::string expected_name = TAVIRO_GOLDEN_DIR "/ui-strings." + std::string(GetParam().name) + ".txt";
    const std::vector<std::string> expected = lines_of(read_file(expected_name));
    const std::vector<std::string> written = lines_of(roman_utf8(read_file(TAVIRO_GOLDEN_DIR "/ui-strings.txt"), words));
    for (std::size_t line = 0; line < std::max(expected.size(), written.size()); ++line) {
        const std::string want = line < expected.size() ? expected[line] : "(no line)";
        const std::string got = line < written.size() ? written[line] : "(no line)";
        ASSERT_EQ(got, want) << expected_name << ":" << line + 1;
    }
}

TEST_P(Golden, WikipediaTextIsWrittenAsItsDigestsSay) {
    std::vector<std::string> expected;
    for (const std::string& line : lines_of(read_file(TAVIRO_GOLDEN_DIR "/wikipedia.digests"))) {
        if (line.starts_with(std::string(GetParam().name) + ' ')) expected.push_back(line);
    }
    const std::vector<std::string> written = lines_of(roman_utf8(wikipedia_slice(), words));
    std::vector<std::string> digests;
    for (std::size_t block = 0; block < written.size(); block += kBlockLines) {
        std::string text;
        for (std::size_t line = block; line < std::min(written.size(), block + kBlockLines); ++line) {
            text += written[line] + '\n';
        }
        char digest[17];
        std::snprintf(digest, sizeof digest, "%016llx", static_cast<unsigned long long>(fnv1a64(text)));
        digests.push_back(std::string(GetParam().name) + ' ' + std::to_string(block + 1) + ' ' + digest);
    }
    EXPECT_EQ(digests, expected) << "the slice's lines from the first block that differs show what changed";
}

// Each line of the Wikipedia text that holds typographic punctuation or
// spaces is written, word for word, as the same line with ASCII punctuation in
// their places; and a line's format characters beside Gurmukhi change nothing.
std::u16string with_ascii_punctuation(std::u16string text) {
    for (char16_t& unit : text) {
        if (unit >= 0x80 && unit != kDanda && unit != kDoubleDanda && is_separator(unit)) unit = u',';
    }
    return text;
}

std::u16string without_format_characters_beside_gurmukhi(std::u16string_view text) {
    std::u16string kept;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = at;
        while (end < text.size() && is_format_character(text[end])) ++end;
        if (end == at) {
            kept += text[at++];
            continue;
        }
        const bool beside = (at > 0 && in_gurmukhi_block(text[at - 1])) ||
                            (end < text.size() && in_gurmukhi_block(text[end]));
        if (!beside) kept.append(text.substr(at, end - at));
        at = end;
    }
    return kept;
}

std::u16string roman(std::u16string_view text, const Dictionary& dictionary) {
    MemoryUnitSource units{std::u16string(text)};
    MemoryUnitSink written;
    convert_units(units, written, dictionary);
    return written.text();
}

TEST_P(Golden, TextAroundWordsInTheWikipediaTextChangesNoWord) {
    std::size_t typographic = 0;
    std::size_t formatted = 0;
    // Decoded once for all the modes.
    static const std::u16string corpus = decode_text(read_file(TAVIRO_WIKIPEDIA), "the Wikipedia text").units;
    for (std::size_t begin = 0, number = 1; begin < corpus.size(); ++number) {
        const std::size_t end = std::min(corpus.find(u'\n', begin), corpus.size());
        const std::u16string_view line(corpus.data() + begin, end - begin);
        begin = end + 1;
        if (const std::u16string ascii = with_ascii_punctuation(std::u16string(line)); ascii != line) {
            ++typographic;
            ASSERT_EQ(with_ascii_punctuation(roman(line, words)), roman(ascii, words)) << "line " << number;
        }
        if (const std::u16string plain = without_format_characters_beside_gurmukhi(line); plain != line) {
            ++formatted;
            ASSERT_EQ(roman(line, words), roman(plain, words)) << "line " << number;
        }
    }
    EXPECT_GT(typographic, 1000U);
    EXPECT_GT(formatted, 50U);
}

INSTANTIATE_TEST_SUITE_P(Modes, Golden,
                         ::testing::Values(Mode{"rules", {}}, Mode{"loanwords", {.loanwords = true}},
                                           Mode{"spoken", {.spoken = true}}, Mode{"ascii", {.scheme = Scheme::ascii}}),
                         [](const ::testing::TestParamInfo<Mode>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace taviro
