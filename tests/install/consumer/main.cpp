// Transliterates its first argument (UTF-8 Gurmukhi without a character past
// U+FFFF) and prints the Roman text as UTF-8, with the installed dictionary.

#include <taviro/convert/read_loop.h>
#include <taviro/run/word_store.h>

#include <iostream>
#include <string>

namespace {

std::u16string transliterate(const std::u16string& gurmukhi) {
    static const taviro::WordStore words(TAVIRO_WORDS);
    taviro::MemoryUnitSource source(gurmukhi);
    taviro::MemoryUnitSink roman;
    taviro::convert_units(source, roman, words);
    return roman.text();
}

// Small on purpose: three-byte UTF-8 and ASCII are all a Gurmukhi word needs.
std::u16string from_utf8(const std::string& bytes) {
    std::u16string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            text += static_cast<char16_t>(byte);
        } else if (i + 2 < bytes.size() && (byte & 0xF0) == 0xE0) {
            text += static_cast<char16_t>(((byte & 0x0F) << 12) | ((bytes[i + 1] & 0x3F) << 6) | (bytes[i + 2] & 0x3F));
            i += 2;
        }
    }
    return text;
}

std::string to_utf8(const std::u16string& text) {
    std::string bytes;
    for (const char16_t unit : text) {
        if (unit < 0x80) {
            bytes += static_cast<char>(unit);
        } else if (unit < 0x800) {
            bytes += static_cast<char>(0xC0 | (unit >> 6));
            bytes += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            bytes += static_cast<char>(0xE0 | (unit >> 12));
            bytes += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: transliterate GURMUKHI\n";
        return 2;
    }
    std::cout << to_utf8(transliterate(from_utf8(argv[1])));
    return std::cout.flush() ? 0 : 1;
}
