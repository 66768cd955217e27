// Schwa deletion: removes the inherent "a"s that speech drops, in place, by a
// positional rule over the Roman vowels. It knows no dictionary; word
// finishing decides which part of a word it sees.
#pragma once

#include <string>

#include "taviro/engine_error.h"

namespace taviro {

// Returns `word`. Throws EngineError(overflow) for a word of 32,767 code units
// or more.
std::u16string& Schwa_Del(std::u16string& word);

}  // namespace taviro
