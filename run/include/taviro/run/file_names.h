// The checks a run makes on the two file names before it opens anything.
#pragma once

#include <string>
#include <string_view>

namespace taviro {

// `name` without leading and trailing spaces.
std::string trim_blanks(std::string_view name);

// The extension of the last path component, after its last dot and without it;
// empty when that component has no dot.
std::string_view extension_name(std::string_view name);

// The name a run writes its destination to: the typed name trimmed, with
// ".txt" added unless it ends in it.
std::string written_destination_name(std::string_view typed);

// Whether `name` names an existing regular file (a directory is not a file).
bool is_existing_file(const std::string& name);

// Why `name` is no existing regular file, in plain words: no such file, a
// folder, something else, or the system's reason it cannot be looked at.
std::string why_not_a_file(const std::string& name);

// Whether both names lead to one file, through any spelling of the path or any
// link. False when either does not exist.
bool is_same_file(const std::string& first, const std::string& second);

}  // namespace taviro
