#include <gtest/gtest.h>

#include <string>

#include "run_test_files.h"
#include "taviro/run/run_error.h"
#include "taviro/run/utf16_file_reader.h"
#include "taviro/run/utf16_file_writer.h"

namespace taviro {
namespace {

using testing::TemporaryFolder;
using testing::read_bytes;
using testing::utf16le_bytes;
using testing::write_bytes;

std::u16string read_all(const std::filesystem::path& file, std::size_t units_per_read) {
    Utf16FileReader reader(file);
    std::u16string text;
    std::u16string block(units_per_read, u'\0');
    while (const std::size_t count = reader.read(block)) {
        text.append(block, 0, count);
    }
    return text;
}

std::u16string long_text() {
    std::u16string text;
    for (char16_t unit = 1; text.size() < 100000; ++unit) {
        text.push_back(unit == 0xFEFF ? u'x' : unit);
    }
    return text;
}

TEST(Utf16FileReader, SkipsLeadingByteOrderMarkOnly) {
    TemporaryFolder folder;
    const std::u16string text = u"ਕਿ \uFEFF\uFFFE\r\n";
    write_bytes(folder / "bom.txt", utf16le_bytes(text));
    write_bytes(folder / "plain.txt", utf16le_bytes(text, false));
    write_bytes(folder / "big-endian-mark.txt", "\xFE\xFF" + utf16le_bytes(u"a", false));
    for (const std::size_t units_per_read : {1u, 2u, 4096u}) {
        EXPECT_EQ(read_all(folder / "bom.txt", units_per_read), text);
        EXPECT_EQ(read_all(folder / "plain.txt", units_per_read), text);
    }
    EXPECT_EQ(read_all(folder / "big-endian-mark.txt", 16), u"\uFFFEa");
}

TEST(Utf16FileReader, ReadsLongFilesWhateverTheBlockSize) {
    TemporaryFolder folder;
    const std::u16string text = long_text();
    write_bytes(folder / "long.txt", utf16le_bytes(text));
    EXPECT_EQ(read_all(folder / "long.txt", 1), text);
    EXPECT_EQ(read_all(folder / "long.txt", 16384), text);
}

TEST(Utf16FileReader, OddByteLengthIsAnError) {
    TemporaryFolder folder;
    for (const std::string& bytes : {std::string("x"), utf16le_bytes(u"ab") + "c", std::string("\xFF\xFE\x01")}) {
        write_bytes(folder / "odd.txt", bytes);
        EXPECT_THROW(read_all(folder / "odd.txt", 3), RunError);
    }
}

TEST(Utf16FileReader, MissingFileIsAnError) {
    TemporaryFolder folder;
    EXPECT_THROW(Utf16FileReader(folder / "missing.txt"), RunError);
}

TEST(Utf16FileWriter, WritesByteOrderMarkAndLittleEndianUnits) {
    TemporaryFolder folder;
    const std::u16string text = long_text();
    Utf16FileWriter writer(folder / "out.txt");
    writer.write(text.substr(0, 5));
    writer.write(u"");
    writer.write(text.substr(5));
    writer.close();
    EXPECT_EQ(read_bytes(folder / "out.txt"), utf16le_bytes(text));
}

TEST(Utf16FileWriter, NothingWrittenStillMakesAMarkedEmptyFile) {
    TemporaryFolder folder;
    write_bytes(folder / "out.txt", "old content");
    Utf16FileWriter writer(folder / "out.txt");
    writer.close();
    EXPECT_EQ(read_bytes(folder / "out.txt"), "\xFF\xFE");
}

TEST(Utf16FileWriter, FullDeviceIsReportedByClose) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    Utf16FileWriter writer("/dev/full");
    writer.write(u"kamal");
    EXPECT_THROW(writer.close(), RunError);
}

}  // namespace
}  // namespace taviro
