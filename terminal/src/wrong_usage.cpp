#include "taviro/terminal/wrong_usage.h"

namespace taviro {

ExitStatus report_wrong_usage(std::ostream& messages, std::string_view program, std::string_view problem) {
    messages << program << ": " << problem << '\n'
             << "Try '" << program << " --help' for more information.\n";
    return kWrongUsage;
}

}  // namespace taviro
