// What a word dictionary file may hold. Dictionaries travel between users, and
// SQLite does what a schema says: a trigger fires on a change, a view computes
// its rows, a virtual table runs its module's code. A dictionary is data only,
// so a file that holds any of them is refused before a row of it is read, as
// is one without the tables and columns the programs read. Extra columns,
// plain tables and indexes change nothing that is read and are accepted.
//
// It judges the schema alone; the connection's own distrust (see
// taviro/sqlite/database.h) is what keeps a file from running anything while
// it is being judged. Like that header, it is for the project's own code.
#pragma once

#include <filesystem>
#include <string_view>

#include "taviro/sqlite/database.h"

namespace taviro {

// Reads the schema of the open `database`, the dictionary `file`, as plain
// rows and throws StoreError when the file is no dictionary:
// - it holds a trigger, a view or a virtual table; the whole message is then
//   "'trig.mdb' holds a trigger 't'; a dictionary is data only" (or "a view",
//   "a virtual table"), whichever the program that shows it;
// - it has no table `words` with a column `words`, or its user lexicon
//   `pronunciations` or loanword lexicon `loanwords` lacks `word` or `roman`;
//   the message then begins with the database's context.
void check_dictionary_schema(const sqlite::Database& database, const std::filesystem::path& file);

// Whether the database has a stored table of that name, in any ASCII case, as
// SQLite resolves names.
bool has_table(const sqlite::Database& database, std::string_view table);

}  // namespace taviro
