// The literal read loop that the tests, the fuzz targets and compare_loops hold
// every faster loop to: one code unit per read, every word romanized and
// finished afresh, nothing remembered, the line ends written by its own plain
// rule. No program links it; it is slow on purpose, so that it stays easy to
// check by reading.
#pragma once

#include "taviro/convert/read_loop.h"
#include "taviro/convert/unit_sink.h"
#include "taviro/convert/unit_source.h"
#include "taviro/engine.h"

namespace taviro {

// What convert_units() writes and counts for `source`, and the same failure,
// with the same text in `sink` before it.
FinishCounts convert_units_unit_by_unit(UnitSource& source, UnitSink& sink, const Dictionary& dictionary);

}  // namespace taviro
