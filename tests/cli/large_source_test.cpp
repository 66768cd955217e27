// A 200 MB source through taviro-convert: the whole of it is converted and the
// source stays as it was.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

#include "program_run.h"
#include "run_test_files.h"

namespace taviro {
namespace {

namespace fs = std::filesystem;
using testing::TemporaryFolder;
using testing::utf16le_bytes;

constexpr std::uintmax_t kSourceBytes = 200u << 20;
// The source, the result beside it, and room to spare.
constexpr std::uintmax_t kSpaceNeeded = 450u << 20;

// A digest of bytes given in pieces, so that 200 MB is never held at once.
class Digest {
public:
    void add(std::string_view bytes) {
        for (const char byte : bytes) hash_ = (hash_ ^ static_cast<unsigned char>(byte)) * 1099511628211u;
    }
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 14695981039346656037u;
};

std::uint64_t file_digest(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    Digest digest;
    std::string block(1 << 16, '\0');
    while (stream.read(block.data(), static_cast<std::streamsize>(block.size())) || stream.gcount() > 0) {
        digest.add(std::string_view(block.data(), static_cast<std::size_t>(stream.gcount())));
    }
    return digest.value();
}

testing::ProgramOutcome convert(const TemporaryFolder& folder, const std::string& source, const std::string& destination) {
    return testing::run_program(TAVIRO_CONVERT, {"--dictionary", "words.mdb", source, destination}, folder.path());
}

// Every line of the large source is the same, so its output must be the output
// of one line, as many times over.
TEST(LargeSource, TwoHundredMegabytesAreConvertedWhole) {
    TemporaryFolder folder;
    std::error_code error;
    const std::uintmax_t available = fs::space(folder.path(), error).available;
    if (!error && available < kSpaceNeeded) {
        GTEST_SKIP() << "needs " << (kSpaceNeeded >> 20) << " MB free in " << folder.path() << ", which has only "
                     << (available >> 20) << " MB";
    }
    testing::make_database(folder / "words.mdb", "CREATE TABLE words (words TEXT);");
    const std::string line = utf16le_bytes(u"ਹੋਰ ਕਾਰਜਾਂ ਲਈ ਕਿਰਪਾ ਕਰਕੇ enter ਦਬਾਓ। ਪੱਕਾ ਸ਼ਬਦ\r\n", false);
    testing::write_bytes(folder / "line.txt", "\xFF\xFE" + line);
    ASSERT_EQ(convert(folder, "line.txt", "line-out.txt").status, 0);
    const std::string roman_line = testing::read_bytes(folder / "line-out.txt").substr(2);

    std::uintmax_t lines = 0;
    Digest expected;
    expected.add("\xFF\xFE");
    {
        std::ofstream source(folder / "large.txt", std::ios::binary);
        source << "\xFF\xFE";
        for (std::uintmax_t size = 2; size < kSourceBytes; size += line.size(), ++lines) {
            source << line;
            expected.add(roman_line);
        }
        ASSERT_TRUE(source.flush());
    }
    const std::uint64_t source_before = file_digest(folder.path() / "large.txt");

    const testing::ProgramOutcome outcome = convert(folder, "large.txt", "out.txt");

    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(fs::file_size(folder.path() / "out.txt"), 2 + lines * roman_line.size());
    EXPECT_EQ(file_digest(folder.path() / "out.txt"), expected.value()) << "the output differs from line to line";
    EXPECT_EQ(file_digest(folder.path() / "large.txt"), source_before) << "the source was changed";
}

}  // namespace
}  // namespace taviro
