// How taviro's terminal programs end, as scripts read it.
#pragma once

namespace taviro {

// 0 when the program did what it was asked, 1 when it did not (a refused
// name, a missing file, a text it could not read or convert), 2 when the
// command line itself was wrong.
enum ExitStatus : int { kCompleted = 0, kNotCompleted = 1, kWrongUsage = 2 };

}  // namespace taviro
