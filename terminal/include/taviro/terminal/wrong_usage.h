// What a terminal program says when its command line is wrong.
#pragma once

#include <ostream>
#include <string_view>

#include "taviro/terminal/exit_status.h"

namespace taviro {

// "PROGRAM: PROBLEM", then where to read how it is used, as GNU tools say it;
// returns kWrongUsage for main() to end with.
ExitStatus report_wrong_usage(std::ostream& messages, std::string_view program, std::string_view problem);

}  // namespace taviro
