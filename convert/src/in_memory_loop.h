// The read loop over input that is all in memory already, converted where it
// lies instead of being copied block by block; text conversion's engine.
#pragma once

#include <string_view>

#include "taviro/convert/read_loop.h"

namespace taviro {

FinishCounts convert_units_in_memory(std::u16string_view text, UnitSink& sink, const Dictionary& dictionary,
                                     WordObserver* observer = nullptr);

}  // namespace taviro
