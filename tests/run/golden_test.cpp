// Golden files: the Roman text of fixed slices of both corpora, by the rules,
// with loanwords, in spoken forms and in plain letters, through the shipped dictionary. Every
// other test compares one front end with another, which a change of the rules
// moves together; these hold the rules themselves. A meant change regenerates
// them with tests/run/golden/regenerate.py, and the diff is read.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "taviro/convert/read_loop.h"
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

INSTANTIATE_TEST_SUITE_P(Modes, Golden,
                         ::testing::Values(Mode{"rules", {}}, Mode{"loanwords", {.loanwords = true}},
                                           Mode{"spoken", {.spoken = true}}, Mode{"ascii", {.scheme = Scheme::ascii}}),
                         [](const ::testing::TestParamInfo<Mode>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace taviro
