// A dictionary file changed as a whole, in memory: its bytes are read into an
// in-memory database, changed there, and written back through the safe
// replacement. No scratch copy or journal ever lies beside the file, so an
// edit that is killed leaves nothing that a later edit could mistake for its
// own, and a failed one leaves the file exactly as it was.
#pragma once

#include <filesystem>
#include <string>

#include "taviro/dict/user_lexicon.h"
#include "taviro/sqlite/database.h"

namespace taviro {

// The file's database, in memory. Refuses a file that another program left
// half-changed (a journal or write-ahead log beside it), whose changes would
// otherwise be lost or, worse, applied later to the new file. Discards the
// scratch files that earlier versions of the edit left when they were killed,
// and tells `notices`. Throws StoreError or RunError.
sqlite::Database load_database(const std::filesystem::path& file, const std::string& context,
                               const EditNotices& notices);

// Writes the in-memory database over `file`, all or nothing. Throws RunError
// or StoreError.
void save_database(const sqlite::Database& database, const std::filesystem::path& file);

}  // namespace taviro
