#include "taviro/dict/lexicon_file.h"

#include "taviro/encoding/utf8_decoder.h"
#include "taviro/run/file_error.h"

namespace taviro {

ParsedLexicon parse_lexicon(std::istream& text, const std::string& name) {
    ParsedLexicon parsed;
    std::string line;
    for (std::size_t number = 1; std::getline(text, line); ++number) {
        const auto units = decode_utf8(line);
        add_lexicon_line(units ? std::optional<std::u16string_view>(*units) : std::nullopt, name, number, parsed);
    }
    // The end of what could be read is not the end of the list.
    if (text.bad()) {
        throw RunError("cannot read " + quoted_name(name));
    }
    return parsed;
}

}  // namespace taviro
