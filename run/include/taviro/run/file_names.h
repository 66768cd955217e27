// The checks a run makes on the two file names before it opens anything.
#pragma once

#include <string>
#include <string_view>

namespace taviro {

// `name` without leading and trailing spaces: what a name typed into a box
// means. A name from a shell or a program is used exactly as given.
std::string trim_blanks(std::string_view name);

// The extension of the last path component, after its last dot and without it;
// empty when that component has no dot.
std::string_view extension_name(std::string_view name);

// The name a run writes its destination to: `name` with ".txt" added unless
// it ends in it.
std::string written_destination_name(std::string_view name);

// Whether `name` names an existing regular file (a directory is not a file).
bool is_existing_file(const std::string& name);

// Why `name` is no existing regular file: the system's reason it cannot be
// looked at, as a terminal tool says it ("'notes.txt': No such file or
// directory"), or that it is a folder or something else.
std::string why_not_a_file(const std::string& name);
// The system's error number for the same: ENOENT, EISDIR, or 0 for a name
// that is there but no regular file.
int why_not_a_file_number(const std::string& name);

// The destination to write for `source` when the typed `destination` names an
// existing folder: the source's own file name in that folder, as cp puts it
// ("roman/" or "roman" for "texts/notes.txt" give "roman/notes.txt"). Any
// other destination is returned as typed. The run then applies its rule on
// ".txt" to the name as to any other; a source name without a file name
// ("texts/") leaves the destination as typed, for the run to refuse the source.
std::string destination_in_folder(std::string_view source, std::string_view destination);

// Why `name`, which ends in a slash and so can only mean a folder, names no
// folder: the system's reason, or that it is something else.
std::string why_not_a_folder(const std::string& name);

// Whether both names lead to one file, through any spelling of the path or any
// link. False when either does not exist.
bool is_same_file(const std::string& first, const std::string& second);

}  // namespace taviro
