#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "run_test_files.h"
#include "taviro/run/replacing_file.h"
#include "taviro/convert/run_error.h"
#include "taviro/encoding/utf16_writer.h"

namespace taviro {
namespace {

using testing::TemporaryFolder;
using testing::read_bytes;
using testing::utf16le_bytes;
using testing::write_bytes;

std::u16string long_text() {
    std::u16string text;
    for (char16_t unit = 1; text.size() < 100000; ++unit) {
        text.push_back(unit == 0xFEFF ? u'x' : unit);
    }
    return text;
}

TEST(Utf16Writer, WritesByteOrderMarkAndLittleEndianUnitsThroughAReplacedFile) {
    TemporaryFolder folder;
    write_bytes(folder / "out.txt", "old content");
    const std::u16string text = long_text();
    ReplacingFile file(folder / "out.txt");
    Utf16Writer writer(file.stream(), "'out.txt'");
    writer.write(text.substr(0, 5));
    writer.write(u"");
    writer.write(text.substr(5));
    writer.finish();
    EXPECT_EQ(read_bytes(folder / "out.txt"), "old content") << "replaced before the commit";
    file.commit();
    EXPECT_EQ(read_bytes(folder / "out.txt"), utf16le_bytes(text));
}

std::vector<std::string> folder_entries(const TemporaryFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ReplacingFile, WithoutCommitLeavesTheDestinationAndNoTemporaryFile) {
    TemporaryFolder folder;
    write_bytes(folder / "kept.txt", "keep");
    {
        ReplacingFile file(folder / "kept.txt");
        file.stream() << "half a result";
        ReplacingFile fresh(folder / "new.txt");
        fresh.stream() << "nothing";
    }
    EXPECT_EQ(folder_entries(folder), std::vector<std::string>{"kept.txt"});
    EXPECT_EQ(read_bytes(folder / "kept.txt"), "keep");
}

TEST(ReplacingFile, KeepsPermissionBitsAndWritesThroughLinks) {
    namespace fs = std::filesystem;
    TemporaryFolder folder;
    fs::create_directory(folder.path() / "real");
    write_bytes(folder / "real/target.txt", "old");
    fs::permissions(folder / "real/target.txt", fs::perms::owner_read | fs::perms::owner_write |
                                                    fs::perms::group_read);
    fs::create_symlink("real/target.txt", folder.path() / "link.txt");
    ReplacingFile file(folder / "link.txt");
    file.stream() << "new";
    file.commit();
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    EXPECT_EQ(read_bytes(folder / "real/target.txt"), "new");
    EXPECT_EQ(fs::status(folder / "real/target.txt").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(ReplacingFile, FullDeviceIsWrittenDirectlyAndReportedByCommit) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    ReplacingFile file("/dev/full");
    Utf16Writer writer(file.stream(), "'/dev/full'");
    writer.write(u"kamal");
    EXPECT_THROW(
        {
            writer.finish();
            file.commit();
        },
        RunError);
}

}  // namespace
}  // namespace taviro
