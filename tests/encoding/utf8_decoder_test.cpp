#include <gtest/gtest.h>

#include "taviro/encoding/utf8_decoder.h"

namespace taviro {
namespace {

struct FaultCase {
    const char* name;
    std::string bytes;
    std::uint64_t offset;
    std::string spoilt;  // the bytes the fault shows
};

void PrintTo(const FaultCase& value, std::ostream* out) {
    *out << value.name;
}

class Utf8Faults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(Utf8Faults, NameTheOffsetOfTheSpoiltSequence) {
    Utf8Decoder decoder;
    std::u16string units;
    auto fault = decoder.decode(GetParam().bytes, units);
    if (!fault) {
        fault = decoder.finish();
    }
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->offset, GetParam().offset);
    EXPECT_EQ(fault->bytes, GetParam().spoilt);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8Faults,
    ::testing::Values(FaultCase{"StrayContinuation", "ab\x80", 2, "\x80"},
                      FaultCase{"ForbiddenLead", "\xFF", 0, "\xFF"},
                      FaultCase{"OverlongTwoBytes", "x\xC0\xAF", 1, "\xC0"},
                      FaultCase{"OverlongThreeBytes", "\xE0\x80\xAF", 0, "\xE0\x80"},
                      FaultCase{"Surrogate", "\xED\xA0\x80", 0, "\xED\xA0"},
                      FaultCase{"PastTheLastCodePoint", "\xF4\x90\x80\x80", 0, "\xF4\x90"},
                      FaultCase{"AsciiInsideASequence", "\xE0\xA8\x41", 0, "\xE0\xA8\x41"},
                      FaultCase{"CutOffAtTheEnd", "\xE0\xA8\x95\xE0\xA8", 3, "\xE0\xA8"}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST(Utf8Decoder, DescribesAFaultWithOffsetAndBytes) {
    EXPECT_EQ(describe(Utf8Fault{12, "\xE0\xA8\x41"}), "byte offset 12 (0xE0 0xA8 0x41)");
}

TEST(Utf8Decoder, PiecesOfAnySizeGiveTheSameUnits) {
    const std::string text = "ਕਮਲ \xF0\x9F\x98\x80 ā\n";
    for (std::size_t piece = 1; piece <= 4; ++piece) {
        Utf8Decoder decoder;
        std::u16string units;
        for (std::size_t i = 0; i < text.size(); i += piece) {
            ASSERT_FALSE(decoder.decode(std::string_view(text).substr(i, piece), units));
        }
        EXPECT_FALSE(decoder.finish());
        EXPECT_EQ(units, u"ਕਮਲ \U0001F600 ā\n") << "pieces of " << piece;
    }
}

TEST(Utf8Decoder, OffsetsCountAcrossPieces) {
    Utf8Decoder decoder;
    std::u16string units;
    ASSERT_FALSE(decoder.decode("\xE0\xA8\x95", units));
    ASSERT_FALSE(decoder.decode("a\xC3", units));
    const auto fault = decoder.decode("(", units);
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->offset, 4u);
    EXPECT_EQ(fault->bytes, "\xC3(");
}

TEST(DecodeUtf8, AcceptsWellFormedTextOnly) {
    EXPECT_EQ(decode_utf8("ਕਮਲ a"), u"ਕਮਲ a");
    EXPECT_EQ(decode_utf8("\xF0\x9F\x98\x80"), u"\U0001F600");
    for (const char* broken : {"\xC0\xAF", "\xE0\xA8", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80", "\xFF"}) {
        EXPECT_FALSE(decode_utf8(broken).has_value()) << ::testing::PrintToString(std::string(broken));
    }
}

}  // namespace
}  // namespace taviro
