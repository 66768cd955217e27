// The read loop over input that is all in memory already, converted where it
// lies instead of being copied block by block; text conversion's engine.
#pragma once

#include <string_view>

#include "taviro/convert/read_loop.h"
#include "taviro/convert/word_memory.h"

namespace taviro {

FinishCounts convert_units_in_memory(std::u16string_view text, UnitSink& sink, const Dictionary& dictionary,
                                     WordObserver* observer = nullptr);
// The same with the words another conversion over the memory's dictionary remembered.
FinishCounts convert_units_in_memory(std::u16string_view text, UnitSink& sink, WordMemory& memory,
                                     WordObserver* observer = nullptr);

}  // namespace taviro
