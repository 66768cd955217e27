#include <gtest/gtest.h>

#include <sstream>

#include "taviro/encoding/byte_sink.h"
#include "taviro/encoding/encoding_sink.h"
#include "taviro/convert/run_error.h"

namespace taviro {
namespace {

struct SinkCase {
    const char* name;
    std::vector<std::u16string> writes;
    Encoding encoding;
    std::string bytes;
    std::size_t replacements;
};

void PrintTo(const SinkCase& value, std::ostream* out) {
    *out << value.name;
}

class EncodingSinkWrites : public ::testing::TestWithParam<SinkCase> {};

// The same bytes into memory, as the page and Python take them, and into a
// stream, as a file takes them.
TEST_P(EncodingSinkWrites, TheBytesOfTheEncoding) {
    const auto write = [](EncodingSink& sink) {
        for (const std::u16string& text : GetParam().writes) {
            sink.write(text);
        }
        sink.finish();
        EXPECT_EQ(sink.replacements(), GetParam().replacements);
    };
    std::string in_memory;
    StringByteSink memory(in_memory);
    EncodingSink to_memory(memory, GetParam().encoding, "'out.txt'");
    write(to_memory);
    EXPECT_EQ(in_memory, GetParam().bytes);

    std::ostringstream stream;
    EncodingSink to_stream(stream, GetParam().encoding, "'out.txt'");
    write(to_stream);
    EXPECT_EQ(stream.str(), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EncodingSinkWrites,
    ::testing::Values(
        SinkCase{"Utf16leBeginsWithTheMarkAndEndsLinesInCrLf", {u"ki", u"\n"}, Encoding::utf16le,
                 std::string("\xFF\xFEk\0i\0\r\0\n\0", 10), 0},
        SinkCase{"Utf16leKeepsALoneSurrogate", {u"\xD800"}, Encoding::utf16le, std::string("\xFF\xFE\x00\xD8", 4), 0},
        SinkCase{"Utf8EndsLinesWithALineFeed", {u"kamal", u"\n", u"pañjābī", u"."}, Encoding::utf8,
                 "kamal\npa\xC3\xB1j\xC4\x81" "b\xC4\xAB.", 0},
        SinkCase{"Utf8JoinsAPairSplitAcrossWrites", {u"a\xD83D", u"\xDE00" "b"}, Encoding::utf8,
                 "a\xF0\x9F\x98\x80" "b", 0},
        SinkCase{"Utf8ReplacesALoneHighSurrogate", {u"a\xD83D" "b"}, Encoding::utf8, "a\xEF\xBF\xBD" "b", 1},
        SinkCase{"Utf8ReplacesALoneLowSurrogate", {u"\xDE00"}, Encoding::utf8, "\xEF\xBF\xBD", 1},
        SinkCase{"Utf8ReplacesAHighSurrogateAtTheEnd", {u"a\xD83D"}, Encoding::utf8, "a\xEF\xBF\xBD", 1},
        SinkCase{"Utf8EmptyTextIsNoBytes", {}, Encoding::utf8, "", 0}),
    [](const ::testing::TestParamInfo<SinkCase>& info) { return std::string(info.param.name); });

// Takes nothing, or everything but the flush.
class RefusingSink final : public ByteSink {
public:
    explicit RefusingSink(bool takes_writes) : takes_writes_(takes_writes) {}
    bool write(const char*, std::size_t) override { return takes_writes_; }
    bool flush() override { return false; }

private:
    bool takes_writes_;
};

TEST(EncodingSink, ARefusedWriteOrFlushIsAnErrorNamingTheDestination) {
    for (const Encoding encoding : {Encoding::utf8, Encoding::utf16le}) {
        for (const bool takes_writes : {false, true}) {
            RefusingSink bytes(takes_writes);
            EncodingSink sink(bytes, encoding, "'out.txt'");
            sink.write(u"kamal");
            try {
                sink.finish();
                ADD_FAILURE() << "finished into a sink that refused";
            } catch (const RunError& error) {
                EXPECT_STREQ(error.what(), "cannot write 'out.txt'");
            }
        }
    }
}

TEST(EncodingSink, AFailedStreamIsAnError) {
    std::ostringstream bytes;
    bytes.setstate(std::ios::badbit);
    EncodingSink sink(bytes, Encoding::utf8, "'out.txt'");
    sink.write(u"kamal");
    EXPECT_THROW(sink.finish(), RunError);
}

}  // namespace
}  // namespace taviro
