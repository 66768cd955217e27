#include "database_image.h"

#include <array>
#include <cstring>
#include <memory>
#include <string_view>

#include "taviro/run/descriptor_streams.h"
#include "taviro/run/file_error.h"
#include "taviro/run/replacing_file.h"

namespace taviro {
namespace {

namespace fs = std::filesystem;

// What a program that changes an SQLite file leaves beside it until the change
// is complete.
constexpr std::array<std::string_view, 2> kUnfinishedChanges{"-journal", "-wal"};
// The scratch copy of earlier versions of the edit, and its journal.
constexpr std::array<std::string_view, 2> kEarlierScratchFiles{".lexicon-edit", ".lexicon-edit-journal"};

fs::path beside(const fs::path& file, std::string_view suffix) {
    fs::path name = file;
    name += std::string(suffix);
    return name;
}

void refuse_unfinished_changes(const fs::path& file) {
    for (const std::string_view suffix : kUnfinishedChanges) {
        const fs::path companion = beside(file, suffix);
        std::error_code error;
        if (fs::file_size(companion, error) > 0 && !error) {
            throw StoreError(quoted_name(file) + " has unfinished changes in " + quoted_name(companion) +
                             " from another program; let it finish them (or open the file once with sqlite3) "
                             "before changing it here");
        }
    }
}

void discard_earlier_scratch_files(const fs::path& file, const EditNotices& notices) {
    for (const std::string_view suffix : kEarlierScratchFiles) {
        const fs::path scratch = beside(file, suffix);
        std::error_code error;
        if (!fs::exists(fs::symlink_status(scratch, error))) continue;
        if (fs::remove(scratch, error)) {
            if (notices) notices("discarded " + quoted_name(scratch) + ", left by an edit that was interrupted");
        } else if (notices) {
            notices("could not remove " + quoted_name(scratch) + ", left by an edit that was interrupted: " +
                    error.message());
        }
    }
}

// A database in write-ahead-log mode says so in its header; with no log beside
// it, all of it is in the file. An in-memory database keeps no log, so the copy
// is marked as an ordinary one, which is also what is written back.
void mark_without_log(std::string& bytes) {
    constexpr std::string_view kMagic{"SQLite format 3\0", 16};
    constexpr std::size_t kWriteVersion = 18;
    constexpr std::size_t kReadVersion = 19;
    constexpr char kLegacy = 1;
    if (bytes.size() > kReadVersion && std::string_view(bytes).starts_with(kMagic)) {
        bytes[kWriteVersion] = kLegacy;
        bytes[kReadVersion] = kLegacy;
    }
}

struct SqliteFree {
    void operator()(void* bytes) const noexcept { sqlite3_free(bytes); }
};

}  // namespace

sqlite::Database load_database(const fs::path& file, const std::string& context, const EditNotices& notices) {
    discard_earlier_scratch_files(file, notices);
    refuse_unfinished_changes(file);
    std::string bytes = read_whole_file(file);
    mark_without_log(bytes);
    sqlite::Database database = sqlite::Database::in_memory(context);
    // SQLite takes over the copy, and frees it with the connection.
    auto* copy = static_cast<unsigned char*>(sqlite3_malloc64(bytes.size() + 1));
    if (copy == nullptr) throw database.error("out of memory");
    std::memcpy(copy, bytes.data(), bytes.size());
    const auto size = static_cast<sqlite3_int64>(bytes.size());
    if (sqlite3_deserialize(database.get(), "main", copy, size, size + 1,
                            SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE) != SQLITE_OK) {
        throw database.error();
    }
    return database;
}

void save_database(const sqlite::Database& database, const fs::path& file) {
    sqlite3_int64 size = 0;
    const std::unique_ptr<unsigned char, SqliteFree> bytes(sqlite3_serialize(database.get(), "main", &size, 0));
    if (!bytes) throw database.error("out of memory");
    ReplacingFile replacing(file);
    replacing.stream().write(reinterpret_cast<const char*>(bytes.get()), static_cast<std::streamsize>(size));
    replacing.commit();
}

}  // namespace taviro
