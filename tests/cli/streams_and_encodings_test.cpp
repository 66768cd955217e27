// taviro-convert with other encodings, standard input and output, and many
// sources: every path must give the Roman text that the windows' own run
// gives for the same text in a UTF-16LE file.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "run_test_files.h"
#include "shell_run.h"

namespace taviro {
namespace {

using testing::read_bytes;
using testing::run_shell;
using testing::shell_quoted;
using testing::utf16le_bytes;
using testing::write_bytes;

std::string utf8(std::u16string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t value = text[i];
        if (value >= 0xD800 && value <= 0xDBFF && i + 1 < text.size()) {
            value = 0x10000 + ((value - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (value < 0x80) {
            bytes += static_cast<char>(value);
        } else if (value < 0x800) {
            bytes += static_cast<char>(0xC0 | (value >> 6));
            bytes += static_cast<char>(0x80 | (value & 0x3F));
        } else if (value < 0x10000) {
            bytes += static_cast<char>(0xE0 | (value >> 12));
            bytes += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (value & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | (value >> 18));
            bytes += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (value & 0x3F));
        }
    }
    return bytes;
}

std::string utf16be_bytes(std::u16string_view text) {
    std::string bytes = "\xFE\xFF";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit >> 8);
        bytes += static_cast<char>(unit & 0xFF);
    }
    return bytes;
}

// The UTF-16LE file the windows write, turned into what UTF-8 output holds:
// the same text, lines ending in a line feed alone.
std::string as_utf8_output(const std::string& utf16le_file) {
    std::u16string text;
    for (std::size_t i = 2; i + 1 < utf16le_file.size(); i += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(utf16le_file[i]) |
                                                (static_cast<unsigned char>(utf16le_file[i + 1]) << 8));
        if (unit != u'\r') {
            text += unit;
        }
    }
    return utf8(text);
}

class Conversions : public ::testing::Test {
protected:
    void SetUp() override {
        testing::make_database(folder / "words.mdb",
                               "CREATE TABLE words (words TEXT); INSERT INTO words VALUES ('kamal'), ('nayan');");
    }

    testing::ProgramOutcome convert(const std::string& arguments) const {
        return run_shell(shell_quoted(TAVIRO_CONVERT) + " --dictionary words.mdb " + arguments, folder.path());
    }

    // What the windows' run writes for `text`: its plain run on a UTF-16LE file.
    std::string windows_output(std::u16string_view text) const {
        write_bytes(folder / "reference.txt", utf16le_bytes(text));
        const auto outcome = convert("reference.txt reference-out.txt");
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        return read_bytes(folder / "reference-out.txt");
    }

    testing::TemporaryFolder folder;
};

struct EncodingCase {
    const char* name;
    std::u16string text;
    std::function<std::string(std::u16string_view)> encode;
};

void PrintTo(const EncodingCase& value, std::ostream* out) {
    *out << value.name;
}

class EveryEncoding : public Conversions, public ::testing::WithParamInterface<EncodingCase> {};

// A text without a Gurmukhi letter is converted all the same, with a warning
// that names where it came from, even with -q.
TEST_P(EveryEncoding, GivesTheWindowsRomanTextThroughFilesAndPipes) {
    const std::string expected = windows_output(GetParam().text);
    write_bytes(folder / "in.txt", GetParam().encode(GetParam().text));
    const bool gurmukhi =
        std::ranges::any_of(GetParam().text, [](char16_t unit) { return unit >= u'\u0A00' && unit <= u'\u0A7F'; });
    const auto warning = [&](const std::string& source) {
        return gurmukhi ? std::string() : "taviro-convert: warning: " + source + " holds no Gurmukhi letter\n";
    };

    const auto files = convert("in.txt out.txt");
    EXPECT_EQ(files.status, 0) << files.err;
    EXPECT_EQ(files.err, warning("'in.txt'"));
    EXPECT_EQ(read_bytes(folder / "out.txt"), expected);

    const auto to_output = convert("in.txt -");
    EXPECT_EQ(to_output.status, 0) << to_output.err;
    EXPECT_EQ(to_output.out, as_utf8_output(expected));

    const auto from_pipe = run_shell("cat in.txt | " + shell_quoted(TAVIRO_CONVERT) +
                                         " -q --dictionary words.mdb - piped.txt",
                                     folder.path());
    EXPECT_EQ(from_pipe.status, 0) << from_pipe.err;
    EXPECT_EQ(from_pipe.err, warning("standard input"));
    EXPECT_EQ(read_bytes(folder / "piped.txt"), expected);
}

const std::u16string kGurmukhi = u"ਕਮਲਨਯਨ ਕਿ, ਪੰਜਾਬੀ।\nਕਮਲ";

INSTANTIATE_TEST_SUITE_P(
    Cases, EveryEncoding,
    ::testing::Values(
        EncodingCase{"Utf8", kGurmukhi, [](std::u16string_view text) { return utf8(text); }},
        EncodingCase{"Utf8WithMark", kGurmukhi, [](std::u16string_view text) { return "\xEF\xBB\xBF" + utf8(text); }},
        EncodingCase{"Ascii", u"kamal nayan\r\n", [](std::u16string_view text) { return utf8(text); }},
        EncodingCase{"Utf16leWithMark", kGurmukhi, [](std::u16string_view text) { return utf16le_bytes(text); }},
        EncodingCase{"Utf16leWithoutMark", kGurmukhi,
                     [](std::u16string_view text) { return utf16le_bytes(text, false); }},
        EncodingCase{"Utf16leGurmukhiOnlyWithoutMark", u"ਕਮਲਨਯਨ",
                     [](std::u16string_view text) { return utf16le_bytes(text, false); }},
        EncodingCase{"Utf16beWithMark", kGurmukhi, [](std::u16string_view text) { return utf16be_bytes(text); }},
        EncodingCase{"Utf16beWithoutMark", kGurmukhi,
                     [](std::u16string_view text) { return utf16be_bytes(text).substr(2); }}),
    [](const ::testing::TestParamInfo<EncodingCase>& info) { return std::string(info.param.name); });

TEST_F(Conversions, NamedEncodingsOverruleDetection) {
    // Single-character lines with bare line feeds look like Gurmukhi in UTF-16LE.
    write_bytes(folder / "digits.txt", "1\n2\n");
    EXPECT_EQ(convert("--from utf-8 digits.txt -").out, "1\n2\n");
    write_bytes(folder / "be.txt", utf16be_bytes(u"ਕਿ").substr(2));
    EXPECT_EQ(convert("--from=utf-16be be.txt -").out, "ki");
    write_bytes(folder / "in.txt", utf8(u"ਕਿ"));
    EXPECT_EQ(convert("--to utf-8 in.txt out.txt").status, 0);
    EXPECT_EQ(read_bytes(folder / "out.txt"), "ki");
    EXPECT_EQ(convert("--to utf-16le in.txt -").out, utf16le_bytes(u"ki"));
}

TEST_F(Conversions, InvalidUtf8NamesTheByteOffset) {
    write_bytes(folder / "in.txt", "ਕਮਲ \xC3(");
    const auto outcome = convert("in.txt -");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "taviro-convert: cannot read 'in.txt': it is not valid UTF-8 at byte offset 10 (0xC3 0x28)\n");
    const auto through_run = convert("in.txt out.txt");
    EXPECT_EQ(through_run.status, 1);
    EXPECT_NE(through_run.err.find("byte offset 10"), std::string::npos) << through_run.err;
}

TEST_F(Conversions, StandardStreamsSkipTheNameChecksButNeverEmptyTheSource) {
    write_bytes(folder / "notes.utf8", utf8(u"ਕਿ"));
    const auto any_name = convert("notes.utf8 roman");
    EXPECT_EQ(any_name.status, 1) << "the windows' checks apply to two file names";
    EXPECT_EQ(convert("- roman < notes.utf8").status, 0);
    EXPECT_EQ(read_bytes(folder / "roman"), utf16le_bytes(u"ki"));

    const auto into_itself = convert("- notes.utf8 < notes.utf8");
    EXPECT_EQ(into_itself.status, 1);
    EXPECT_EQ(into_itself.err, "taviro-convert: 'notes.utf8' is the source itself\n");
    EXPECT_EQ(read_bytes(folder / "notes.utf8"), utf8(u"ਕਿ"));
}

TEST_F(Conversions, QuietHidesNoFailure) {
    EXPECT_EQ(convert("-q missing.txt out.txt").err, "taviro-convert: 'missing.txt': No such file or directory\n");
}

TEST_F(Conversions, AnUnpairedSurrogateBecomesAReplacementInUtf8AndIsReported) {
    write_bytes(folder / "in.txt", utf16le_bytes(u"ਕਿ \xD800"));
    const auto outcome = convert("-q in.txt -");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "ki \xEF\xBF\xBD");
    EXPECT_NE(outcome.err.find("U+FFFD"), std::string::npos) << outcome.err;
}

TEST_F(Conversions, ManySourcesGoIntoTheFolderUnderTheirOwnNames) {
    std::filesystem::create_directory(folder / "roman");
    write_bytes(folder / "a.txt", utf8(u"ਕਿ"));
    write_bytes(folder / "b.txt", utf16le_bytes(u"ਕਮਲ"));
    const auto outcome = convert("-o roman a.txt b.txt");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(read_bytes(folder / "roman/a.txt"), utf16le_bytes(u"ki"));
    EXPECT_EQ(read_bytes(folder / "roman/b.txt"), utf16le_bytes(u"kamal"));
}

TEST_F(Conversions, ManySourcesNeverOverwriteASourceAndGoOnAfterAFailure) {
    write_bytes(folder / "a.txt", utf8(u"ਕਿ"));
    std::filesystem::create_directory(folder / "roman");
    write_bytes(folder / "roman/b.txt", utf8(u"ਕਮਲ"));
    write_bytes(folder / "addak.txt", utf8(u"ਕਿ ਪੱx"));
    const auto outcome = convert("-o roman a.txt roman/b.txt addak.txt");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(read_bytes(folder / "roman/b.txt"), utf8(u"ਕਮਲ"));
    EXPECT_EQ(read_bytes(folder / "roman/a.txt"), utf16le_bytes(u"ki"));
    // Each failure on one line, which names the source when the reason does not.
    EXPECT_EQ(outcome.err,
              "taviro-convert: 'roman/b.txt' and 'roman/b.txt' are the same file\n"
              "taviro-convert: 'addak.txt': addak before a character that has no transliteration\n");

    EXPECT_EQ(convert("-o roman -").status, 2);
    EXPECT_EQ(convert("a.txt b.txt c.txt").status, 2);
}

// Before: the second source silently replaced the first one's result, the
// dictionary could be written over, and a missing folder was "not a folder".
TEST_F(Conversions, RefusesWhatWouldLoseAResultOrTheDictionary) {
    std::filesystem::create_directories(folder / "a");
    std::filesystem::create_directories(folder / "b");
    std::filesystem::create_directories(folder / "roman");
    write_bytes(folder / "a/x.txt", utf8(u"ਕਿ"));
    write_bytes(folder / "b/x.txt", utf8(u"ਕਮਲ"));
    std::filesystem::copy_file(folder / "words.mdb", folder / "d.txt");
    const std::string dictionary = read_bytes(folder / "d.txt");
    struct Refusal {
        const char* arguments;
        int status;
        std::string reason;
    };
    for (const Refusal& refusal : {
             Refusal{"-o roman a/x.txt b/x.txt", 2, "'a/x.txt' and 'b/x.txt' would both be written to 'roman/x.txt'"},
             Refusal{"-o roman a/x.txt ./a/x.txt", 2, "'a/x.txt' and './a/x.txt' would both"},
             Refusal{"-o nosuch/ a/x.txt", 1, "'nosuch/' does not exist"},
             Refusal{"-o a/x.txt b/x.txt", 1, "'a/x.txt' is not a folder"},
             Refusal{"--dictionary d.txt a/x.txt d.txt", 1, "'d.txt' is the dictionary"},
             Refusal{"--dictionary d.txt - d.txt < a/x.txt", 1, "'d.txt' is the dictionary"},
         }) {
        const auto outcome = convert(refusal.arguments);
        EXPECT_EQ(outcome.status, refusal.status) << refusal.arguments;
        EXPECT_NE(outcome.err.find(refusal.reason), std::string::npos) << outcome.err;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "roman/x.txt"));
    EXPECT_EQ(read_bytes(folder / "d.txt"), dictionary);
}

TEST_F(Conversions, WrongEncodingNamesAreWrongUsage) {
    for (const char* arguments : {"--from latin-1 a.txt b.txt", "--to utf-16be a.txt b.txt", "--to"}) {
        const auto outcome = convert(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments;
        EXPECT_NE(outcome.err.find("--help"), std::string::npos) << outcome.err;
    }
}

}  // namespace
}  // namespace taviro
