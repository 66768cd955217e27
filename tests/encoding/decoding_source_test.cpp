#include <gtest/gtest.h>

#include <array>
#include <sstream>

#include "taviro/encoding/decoding_source.h"
#include "taviro/convert/run_error.h"

namespace taviro {
namespace {

std::string utf16(std::u16string_view text, bool little_endian) {
    std::string bytes;
    for (const char16_t unit : text) {
        const auto low = static_cast<char>(unit & 0xFF);
        const auto high = static_cast<char>(unit >> 8);
        bytes += little_endian ? low : high;
        bytes += little_endian ? high : low;
    }
    return bytes;
}

// Everything the source gives, read in small pieces to cross every block edge.
std::u16string read_all(DecodingSource& source) {
    std::u16string text;
    std::array<char16_t, 7> piece{};
    while (const std::size_t count = source.read(piece)) {
        text.append(piece.data(), count);
    }
    return text;
}

struct SourceCase {
    const char* name;
    std::string bytes;
    std::optional<Encoding> named;  // empty: detected
    Encoding read_as;
};

void PrintTo(const SourceCase& value, std::ostream* out) {
    *out << value.name;
}

const std::u16string kText = u"ਕਮਲਨਯਨ ਕਿ, ਪੰਜਾਬੀ।\r\n\U0001F600 ā\n";

class DecodingSourceReads : public ::testing::TestWithParam<SourceCase> {};

TEST_P(DecodingSourceReads, EveryEncodingGivesTheSameUnits) {
    std::istringstream bytes(GetParam().bytes);
    DecodingSource source(bytes, GetParam().named, "'in.txt'");
    EXPECT_EQ(read_all(source), kText);
    EXPECT_EQ(source.encoding(), GetParam().read_as);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodingSourceReads,
    ::testing::Values(
        SourceCase{"DetectedUtf8", "ਕਮਲਨਯਨ ਕਿ, ਪੰਜਾਬੀ।\r\n\xF0\x9F\x98\x80 ā\n", std::nullopt, Encoding::utf8},
        SourceCase{"DetectedUtf8WithMark", "\xEF\xBB\xBFਕਮਲਨਯਨ ਕਿ, ਪੰਜਾਬੀ।\r\n\xF0\x9F\x98\x80 ā\n", std::nullopt,
                   Encoding::utf8},
        SourceCase{"DetectedUtf16leWithMark", utf16(u"\uFEFF" + kText, true), std::nullopt, Encoding::utf16le},
        SourceCase{"DetectedUtf16leWithoutMark", utf16(kText, true), std::nullopt, Encoding::utf16le},
        SourceCase{"DetectedUtf16beWithMark", utf16(u"\uFEFF" + kText, false), std::nullopt, Encoding::utf16be},
        SourceCase{"NamedUtf16leWithMark", utf16(u"\uFEFF" + kText, true), Encoding::utf16le, Encoding::utf16le},
        SourceCase{"NamedUtf16beWithoutMark", utf16(kText, false), Encoding::utf16be, Encoding::utf16be},
        SourceCase{"NamedUtf8WithMark", "\xEF\xBB\xBFਕਮਲਨਯਨ ਕਿ, ਪੰਜਾਬੀ।\r\n\xF0\x9F\x98\x80 ā\n", Encoding::utf8,
                   Encoding::utf8}),
    [](const ::testing::TestParamInfo<SourceCase>& info) { return std::string(info.param.name); });

TEST(DecodingSource, LongTextsCrossBlocksWhole) {
    std::string bytes;
    std::u16string expected;
    for (int i = 0; i < 40000; ++i) {
        bytes += "ਕਮਲ ";
        expected += u"ਕਮਲ ";
    }
    std::istringstream stream(bytes);
    DecodingSource source(stream, std::nullopt, "'in.txt'");
    EXPECT_EQ(read_all(source), expected);
}

TEST(DecodingSource, AByteOrderMarkLaterInTheTextIsKept) {
    std::istringstream stream("a\xEF\xBB\xBF");
    DecodingSource source(stream, Encoding::utf8, "'in.txt'");
    EXPECT_EQ(read_all(source), u"a\uFEFF");
}

struct FailureCase {
    const char* name;
    std::string bytes;
    std::optional<Encoding> named;
    std::string message;
};

void PrintTo(const FailureCase& value, std::ostream* out) {
    *out << value.name;
}

class DecodingSourceFails : public ::testing::TestWithParam<FailureCase> {};

TEST_P(DecodingSourceFails, WithTheSourceAndThePlace) {
    std::istringstream bytes(GetParam().bytes);
    DecodingSource source(bytes, GetParam().named, "'in.txt'");
    try {
        read_all(source);
        FAIL() << "no error";
    } catch (const RunError& error) {
        EXPECT_EQ(std::string(error.what()), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodingSourceFails,
    ::testing::Values(
        FailureCase{"BadUtf8Byte", "ਕਮਲ\xFF", std::nullopt,
                    "cannot read 'in.txt': it is not valid UTF-8 at byte offset 9 (0xFF)"},
        FailureCase{"BadUtf8FarIn", std::string(70000, 'a') + "\xC3(", std::nullopt,
                    "cannot read 'in.txt': it is not valid UTF-8 at byte offset 70000 (0xC3 0x28)"},
        FailureCase{"CutUtf8Character", "ਕ\xE0\xA8", Encoding::utf8,
                    "cannot read 'in.txt': it ends inside a UTF-8 character at byte offset 3 (0xE0 0xA8)"},
        FailureCase{"OddUtf16", "\xFF\xFE\x15\x0A\x15", std::nullopt,
                    "cannot read 'in.txt': it ends in half a UTF-16 character (an odd number of bytes)"},
        FailureCase{"OddNamedUtf16le", "\x15\x0A\x15", Encoding::utf16le,
                    "cannot read 'in.txt': it ends in half a UTF-16 character (an odd number of bytes)"},
        // Before: "it is not valid UTF-8 at byte offset 24 (0x90)", as if the encoding were the problem.
        FailureCase{"BinaryIsNoText", std::string("\x7F" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0\x3E\0\x01\0\0\0\x90", 25),
                    std::nullopt, "'in.txt' is not a text file"},
        FailureCase{"Utf16WithControlsIsNoText", std::string("\xFF\xFE\x15\x0A\x01\x00\x02\x00", 8), std::nullopt,
                    "'in.txt' is not a text file"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace taviro
