#include "taviro/terminal/source_encoding_option.h"

#include "taviro/run/file_error.h"

namespace taviro {

SourceEncodingChoice read_source_encoding(std::string_view value) {
    SourceEncodingChoice choice;
    if (value == "auto") {
        return choice;
    }
    choice.encoding = find_encoding(value);
    if (!choice.encoding) {
        // Built piece by piece: GCC's optimiser takes "text" + string for overlapping copies.
        choice.problem = "unknown encoding ";
        choice.problem.append(quoted_name(std::string(value))).append(" for --from (auto, utf-16le, utf-16be, utf-8)");
    }
    return choice;
}

}  // namespace taviro
