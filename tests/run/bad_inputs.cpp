#include "bad_inputs.h"

#include <sys/fsuid.h>
#include <unistd.h>

#include <stdexcept>

namespace taviro::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kLongWordLetters = 40000;  // past the 16-bit character counter
constexpr int kSeparatorsInARow = 40000;
constexpr std::size_t kLargeSourceBytes = 8 << 20;

std::string bom() { return "\xFF\xFE"; }

std::string units_bytes(std::u16string_view units) { return utf16le_bytes(units, false); }

// A source file of `bytes` named `name`, beside in.txt.
std::function<void(const TemporaryFolder&)> source_file(std::string name, std::string bytes) {
    return [name = std::move(name), bytes = std::move(bytes)](const TemporaryFolder& folder) {
        write_bytes(folder / name, bytes);
    };
}

void nothing(const TemporaryFolder&) {}

std::string large_source() {
    const std::string line = units_bytes(u"ਹੋਰ ਕਾਰਜਾਂ ਲਈ ਕਿਰਪਾ ਕਰਕੇ enter ਦਬਾਓ। ਪੱਕਾ ਸ਼ਬਦ\r\n");
    std::string bytes = bom();
    bytes.reserve(kLargeSourceBytes + line.size());
    while (bytes.size() < kLargeSourceBytes) bytes += line;
    return bytes;
}

}  // namespace

std::vector<std::u16string> case_dictionary_words() { return {u"kamal", u"nayan"}; }

std::string converted_source_bytes() { return utf16le_bytes(u"kamalnayan ki\r\n"); }

bool is_superuser() { return ::geteuid() == 0; }

AsOrdinaryUser::AsOrdinaryUser() {
    if (!is_superuser()) return;
    switched_ = true;
    ::setfsgid(kOrdinaryUser);
    ::setfsuid(kOrdinaryUser);
    // setfsuid answers with the identity in force; an invalid one changes nothing.
    works_ = ::setfsuid(static_cast<uid_t>(-1)) == static_cast<int>(kOrdinaryUser);
}

AsOrdinaryUser::~AsOrdinaryUser() {
    if (!switched_) return;
    ::setfsuid(0);
    ::setfsgid(0);
}

void PrintTo(const BadInput& input, std::ostream* out) { *out << input.name; }

void PrintTo(const BadDictionary& dictionary, std::ostream* out) { *out << dictionary.name; }

std::vector<BadInput> bad_inputs() {
    const std::u16string surrogates = u"\xD800 \xDC00\xD800 \xDFFF";
    const std::u16string high_units = u"\x8000\xA000 \xFFFF\xFFFE\xFEFF";
    // Rare enough among other characters to be text.
    const std::u16string controls = u"\x01\x1B\x7F \x0B\x1F\x85" + std::u16string(300, u' ');
    return {
        // Sources
        {"EmptySource", source_file("empty.txt", ""), "empty.txt", "out.txt", RunOutcome::completed, bom()},
        {"OnlyByteOrderMark", source_file("bom.txt", bom()), "bom.txt", "out.txt", RunOutcome::completed, bom()},
        {"OddByteLength", source_file("odd.txt", utf16le_bytes(u"ਕਿ") + "x"), "odd.txt", "out.txt",
         RunOutcome::failed},
        {"LoneAndReversedSurrogatesPassThrough", source_file("s.txt", utf16le_bytes(surrogates)), "s.txt",
         "out.txt", RunOutcome::completed, utf16le_bytes(surrogates)},
        {"CodeUnitsFromU8000UpPassThrough", source_file("h.txt", utf16le_bytes(high_units)), "h.txt", "out.txt",
         RunOutcome::completed, utf16le_bytes(high_units)},
        {"ControlCharactersPassThrough", source_file("c.txt", utf16le_bytes(controls)), "c.txt",
         "out.txt", RunOutcome::completed, utf16le_bytes(controls)},
        {"LargeSource", source_file("large.txt", large_source()), "large.txt", "out.txt",
         RunOutcome::completed},
        {"WordPastTheCharacterCounterFailsWithoutWritingIt",
         source_file("long.txt", utf16le_bytes(std::u16string(kLongWordLetters, u'\u0A15'))), "long.txt",
         "out.txt", RunOutcome::failed},
        {"ManySeparatorsInARow", source_file("spaces.txt", utf16le_bytes(std::u16string(kSeparatorsInARow, u' '))),
         "spaces.txt", "out.txt", RunOutcome::completed,
         utf16le_bytes(std::u16string(kSeparatorsInARow, u' '))},
        {"AddakBeforeUnmappedCharacterFails", source_file("addak.txt", utf16le_bytes(u"ਕਿ ਪੱx ਕਿ")),
         "addak.txt", "out.txt", RunOutcome::failed},
        // Before: the destination held only a byte-order mark afterwards.
        {"FailedRunLeavesTheDestinationThatWasThere",
         [](const TemporaryFolder& folder) {
             write_bytes(folder / "bad.txt", utf16le_bytes(std::u16string(kLongWordLetters, u'\u0A15')));
             write_bytes(folder / "keep.txt", "keep");
         },
         "bad.txt", "keep.txt", RunOutcome::failed},
        {"AddakAtTheVeryEnd", source_file("end.txt", utf16le_bytes(u"ਕਿ ਪੱ")), "end.txt", "out.txt",
         RunOutcome::completed},
        {"DirectoryAsSource", [](const TemporaryFolder& folder) { fs::create_directory(folder.path() / "dir.txt"); },
         "dir.txt", "out.txt", RunOutcome::missing_source, std::nullopt, false, "'dir.txt' is a folder"},
        {"SourceWithoutReadPermission",
         [](const TemporaryFolder& folder) {
             write_bytes(folder / "secret.txt", utf16le_bytes(kSourceText));
             fs::permissions(folder / "secret.txt", fs::perms::none);
         },
         "secret.txt", "out.txt", RunOutcome::failed, std::nullopt, true, "Permission denied"},
        {"SourceNameWithSpaces", source_file("my source file.txt", utf16le_bytes(kSourceText)),
         "my source file.txt", "my out file.txt", RunOutcome::completed, converted_source_bytes()},
        {"SourceNameWithGurmukhiLetters", source_file("ਸਰੋਤ.txt", utf16le_bytes(kSourceText)), "ਸਰੋਤ.txt",
         "ਨਤੀਜਾ.txt", RunOutcome::completed, converted_source_bytes()},
        {"SourceNameWithLeadingDash", source_file("-in.txt", utf16le_bytes(kSourceText)), "-in.txt", "-out.txt",
         RunOutcome::completed, converted_source_bytes()},
        // Before: the name reached the terminal as it was, escape sequences and all.
        {"ControlCharactersInANameAreEscaped", nothing, "clear\x1b[2J\n.txt", "out.txt", RunOutcome::missing_source,
         std::nullopt, false, "'clear\\033[2J\\n.txt'"},
        {"SourceNameOfBlanksOnly", nothing, "   ", "out.txt", RunOutcome::missing_source},
        {"SourceNameThatIsNoUtf8", source_file("\xFF\xFE.txt", utf16le_bytes(kSourceText)), "\xFF\xFE.txt",
         "\xC0.txt", RunOutcome::completed, converted_source_bytes()},
        {"SourceNameTooLongForTheSystem", nothing, std::string(300, 's') + ".txt", "out.txt",
         RunOutcome::missing_source},
        // Reading it would never end; it is no file, so it is never opened.
        {"SourceLinkedToAnEndlessDevice",
         [](const TemporaryFolder& folder) { fs::create_symlink("/dev/zero", folder.path() / "zero.txt"); },
         "zero.txt", "out.txt", RunOutcome::missing_source},
        // Destinations
        {"DestinationInMissingFolder", nothing, "in.txt", "no-folder/out.txt", RunOutcome::failed, std::nullopt,
         false, "'no-folder' does not exist"},
        {"DestinationFolderWithoutWritePermission",
         [](const TemporaryFolder& folder) {
             fs::create_directory(folder.path() / "locked");
             fs::permissions(folder.path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
         },
         "in.txt", "locked/out.txt", RunOutcome::failed, std::nullopt, true},
        {"ReadOnlyDestinationFile",
         [](const TemporaryFolder& folder) {
             write_bytes(folder / "kept.txt", "keep");
             fs::permissions(folder / "kept.txt", fs::perms::owner_read);
         },
         "in.txt", "kept.txt", RunOutcome::failed, std::nullopt, true, "Permission denied"},
        {"DestinationWhereNothingCanBeCreated", nothing, "in.txt", "/proc/taviro/out.txt", RunOutcome::failed},
        {"DestinationNameTooLongForTheSystem", nothing, "in.txt", std::string(300, 'd') + ".txt",
         RunOutcome::failed},
        {"DestinationIsADirectory",
         [](const TemporaryFolder& folder) { fs::create_directory(folder.path() / "out.txt"); }, "in.txt",
         "out.txt", RunOutcome::invalid_names, std::nullopt, false, "'out.txt' is a folder"},
        // Before: ".txt" was added and a file made beside the folder.
        {"DestinationIsAFolderWithoutTxt",
         [](const TemporaryFolder& folder) { fs::create_directory(folder.path() / "roman"); }, "in.txt", "roman",
         RunOutcome::invalid_names, std::nullopt, false, "'roman' is a folder"},
        {"DestinationOnAFullDisk",
         [](const TemporaryFolder& folder) { fs::create_symlink("/dev/full", folder.path() / "full.txt"); },
         "in.txt", "full.txt", RunOutcome::failed},
        {"DestinationIsTheSourceThroughALink",
         [](const TemporaryFolder& folder) { fs::create_symlink("in.txt", folder.path() / "link.txt"); }, "in.txt",
         "link.txt", RunOutcome::invalid_names},
        {"DestinationIsTheSourceThroughDotSlash", nothing, "in.txt", "./in.txt", RunOutcome::invalid_names},
    };
}

std::vector<BadDictionary> bad_dictionaries() {
    const auto database = [](std::string name, std::string sql) {
        return [name = std::move(name), sql = std::move(sql)](const TemporaryFolder& folder) {
            make_database(folder / name, sql);
            return name;
        };
    };
    const auto file = [](std::string name, std::string bytes) {
        return [name = std::move(name), bytes = std::move(bytes)](const TemporaryFolder& folder) {
            write_bytes(folder / name, bytes);
            return name;
        };
    };
    const std::string words = "CREATE TABLE words (words TEXT); INSERT INTO words VALUES ('kamal'), ('nayan');";
    return {
        {"Missing", [](const TemporaryFolder&) { return std::string("none.mdb"); }, "no such file"},
        {"EmptyFile", file("empty.mdb", ""), "no such table"},
        {"NotSqlite", file("text.mdb", std::string(200, 'k') + "\nkamal\nnayan\n"), "not a database"},
        {"WithoutTheTable", database("table.mdb", "CREATE TABLE other (words TEXT);"), "no such table"},
        {"WithoutTheColumn", database("column.mdb", "CREATE TABLE words (word TEXT);"), "no such column"},
        {"NullsAndNonTextValues",
         database("mixed.mdb", words + "INSERT INTO words VALUES (NULL), (42), (1.5), (x'00ff'), ('');"),
         nullptr, 5},
        {"TextsWithApostrophesAndSqlAreOnlyData",
         database("sql.mdb", words + "INSERT INTO words VALUES ('x'' OR ''1''=''1'),"
                                     " ('kamal''); DROP TABLE words; --'), ('nayan'' --');"),
         nullptr, 5},
        {"LockedByAnotherProgram", database("locked.mdb", words), "locked", 0, true},
        {"ReadOnlyFile",
         [words](const TemporaryFolder& folder) {
             make_database(folder / "ro.mdb", words);
             fs::permissions(folder / "ro.mdb", fs::perms::owner_read | fs::perms::group_read);
             return std::string("ro.mdb");
         },
         nullptr, 2},
        // Before: SQLite read the name as a URI and looked for "split.mdb".
        {"NameThatLooksLikeAUriIsOnlyAName", database("file:split.mdb", words), nullptr, 2},
        // Before: the view computed rows without end and the program never finished.
        {"ViewThatNeverEndsIsRefused",
         database("view.mdb",
                  "CREATE VIEW words AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n)"
                  " SELECT 'w' || i AS words FROM n;"),
         "view"},
        {"StoredTextOverAMegabyteIsRefused",
         database("long.mdb", words + "INSERT INTO words VALUES (printf('%.*c', 1100000, 'k'));"), "too big"},
        // Before: every "big" row made SQLite build a text of 200 MB; now such a
        // text is too long to be a word, and the row is skipped like a NULL.
        {"ComputedHugeTextIsNoWord",
         database("huge.mdb",
                  "CREATE TABLE words (w TEXT, words TEXT GENERATED ALWAYS AS"
                  " (CASE w WHEN 'big' THEN printf('%.*c', 200000000, 'x') ELSE w END));"
                  "INSERT INTO words (w) VALUES ('kamal'), ('big'), ('nayan');"),
         nullptr, 2},
    };
}

DatabaseLock::DatabaseLock(const std::filesystem::path& file)
    : database_(file, sqlite::OpenMode::create, "cannot lock " + file.string()) {
    database_.execute("BEGIN EXCLUSIVE;");
}

DatabaseLock::~DatabaseLock() {
    sqlite3_exec(database_.get(), "ROLLBACK;", nullptr, nullptr, nullptr);
}

}  // namespace taviro::testing
