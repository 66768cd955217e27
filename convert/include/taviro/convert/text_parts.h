// A text that comes in parts, as a web page's paragraph comes in text nodes
// (ਪੰਜਾ<b>ਬੀ</b>): converted as one text, so that a word cut by markup is
// finished as the whole word, and its Roman text given back in as many parts,
// each where the part it came from stands.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "taviro/convert/word_memory.h"
#include "taviro/engine.h"

namespace taviro {

// The Roman text of the parts joined, divided into a part for each part
// given: joined again they are exactly what convert_text() gives for the
// joined text. Between words a part's Roman text begins where its text
// began; inside a word, after the letters that the word's first part
// alone is written with (panjā|bī), so that no letter moves into a part
// before its own. Throws EngineError, and whatever the dictionary throws.
[[nodiscard]] std::vector<std::u16string> convert_text_in_parts(std::span<const std::u16string_view> parts,
                                                                const Dictionary& dictionary);
// The same with the words earlier conversions over the memory's dictionary
// remembered, for the many short texts of a page.
[[nodiscard]] std::vector<std::u16string> convert_text_in_parts(std::span<const std::u16string_view> parts,
                                                                WordMemory& memory);

}  // namespace taviro
