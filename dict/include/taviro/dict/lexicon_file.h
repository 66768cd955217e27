// A lexicon read from UTF-8 text, such as a file: the lines decoded here, each
// taken as convert/'s lexicon_entry.h takes a line of decoded text.
#pragma once

#include <istream>
#include <string>

#include "taviro/convert/lexicon_entry.h"

namespace taviro {

// Throws RunError when the text cannot be read to its end.
ParsedLexicon parse_lexicon(std::istream& text, const std::string& name);

}  // namespace taviro
