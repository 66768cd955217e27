#include <gtest/gtest.h>

#include "taviro/encoding/encoding_detection.h"

namespace taviro {
namespace {

std::string utf16le(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string utf16be(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit >> 8);
        bytes += static_cast<char>(unit & 0xFF);
    }
    return bytes;
}

struct DetectionCase {
    const char* name;
    std::string bytes;
    Encoding expected;
};

void PrintTo(const DetectionCase& value, std::ostream* out) {
    *out << value.name;
}

class DetectEncoding : public ::testing::TestWithParam<DetectionCase> {};

TEST_P(DetectEncoding, TellsTheEncodingFromTheFirstBytes) {
    EXPECT_EQ(detect_encoding(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DetectEncoding,
    ::testing::Values(
        DetectionCase{"Utf8WithByteOrderMark", "\xEF\xBB\xBFਕਮਲ", Encoding::utf8},
        DetectionCase{"Utf8WithoutByteOrderMark", "ਕਮਲ ਕਿ\n", Encoding::utf8},
        DetectionCase{"Utf8GurmukhiWordAlone", "ਕਮਲ", Encoding::utf8},
        DetectionCase{"PureAscii", "kamal nayan\n", Encoding::utf8},
        DetectionCase{"AsciiWithCarriageReturns", "1\r\n2\r\n", Encoding::utf8},
        DetectionCase{"Empty", "", Encoding::utf8},
        // A bad byte is reported by the UTF-8 decoder, not taken for UTF-16.
        DetectionCase{"BrokenUtf8", "ab\xFF" "c", Encoding::utf8},
        DetectionCase{"Utf16leWithByteOrderMark", "\xFF\xFE" + utf16le(u"ਕਮਲ ਕਿ"), Encoding::utf16le},
        DetectionCase{"Utf16beWithByteOrderMark", "\xFE\xFF\x0A\x15", Encoding::utf16be},
        DetectionCase{"Utf16leWithoutByteOrderMark", utf16le(u"ਕਮਲ ਕਿ\r\n"), Encoding::utf16le},
        DetectionCase{"Utf16leAsciiOnly", utf16le(u"abc"), Encoding::utf16le},
        // Bytes 15 0A 2E 0A 32 0A: well-formed UTF-8 too, but no real text.
        DetectionCase{"Utf16leGurmukhiOnly", utf16le(u"ਕਮਲ"), Encoding::utf16le},
        DetectionCase{"Utf16leGurmukhiLettersThatLookPrintable", utf16le(u"ਰਾਮ"), Encoding::utf16le},
        DetectionCase{"Utf16leGurmukhiWithDandaAndJoiner", utf16le(u"ਕ\u200Dਮ।"), Encoding::utf16le},
        DetectionCase{"Utf16leOneLetter", utf16le(u"ਕ"), Encoding::utf16le},
        // Before: read as UTF-16LE, and written out as nonsense.
        DetectionCase{"Utf16beWithoutByteOrderMark", utf16be(u"ਕਮਲ ਕਿ\r\n"), Encoding::utf16be},
        DetectionCase{"Utf16beGurmukhiOnly", utf16be(u"ਕਮਲ"), Encoding::utf16be},
        DetectionCase{"Utf8LetterAndLineFeed", "ਕ\n", Encoding::utf8},
        // Before: read as the unassigned units U+0A61..U+0A63 and printed as such.
        DetectionCase{"AsciiLetterALine", "a\nb\nc\n", Encoding::utf8},
        // Before: one NUL made this UTF-16LE, and it came out as CJK-like text.
        DetectionCase{"Utf8GurmukhiWithANul", std::string("ਕਮਲ") + '\0' + "ਪੰਜਾਬੀ ਕਮਲ ਕਮਲ ਕਮਲxy", Encoding::utf8},
        // A binary file's NULs lie among units of every kind.
        DetectionCase{"BinaryWithNuls", std::string("\x7F" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0\x3E\0\x01\0\0\0"
                                                     "\x90\xA5\xEF\xF3\x81\xC7\xD2\xE8\x9A\xB4", 34),
                      Encoding::utf8}),
    [](const ::testing::TestParamInfo<DetectionCase>& info) { return std::string(info.param.name); });

TEST(DetectEncoding, AGurmukhiOnlyPrefixCutFromALongerTextIsUtf16le) {
    std::string prefix;
    while (prefix.size() < kDetectionBytes) {
        prefix += utf16le(u"ਕ");
    }
    EXPECT_EQ(detect_encoding(prefix), Encoding::utf16le);
}

}  // namespace
}  // namespace taviro
