#include "taviro/terminal/message_text.h"

#include "taviro/run/file_error.h"

namespace taviro {

std::string quoted_text(std::string_view text) {
    return quoted_name(std::string(text));
}

std::string joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) {
        text.append(part);
    }
    return text;
}

}  // namespace taviro
