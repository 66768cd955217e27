#include "taviro/encoding/encoding_sink.h"

#include <array>
#include <optional>
#include <utility>

#include "taviro/character_classes.h"
#include "taviro/convert/run_error.h"

namespace taviro {
namespace {

constexpr std::size_t kBlockBytes = 65536;
// A long text is encoded a piece at a time, so that the block stays small.
constexpr std::size_t kPieceUnits = kBlockBytes / 4;
// The most a piece adds to a block that is not yet full: three bytes a unit,
// and a character held back from the piece before.
constexpr std::size_t kBlockRoom = kBlockBytes + 3 * kPieceUnits + 4;
constexpr char32_t kReplacementCharacter = U'\uFFFD';

// Writes the UTF-8 bytes of `value` and returns where they end.
char* put_utf8(char* to, char32_t value) {
    const auto byte = [&to](char32_t bits) { *to++ = static_cast<char>(bits); };
    if (value < 0x80) {
        byte(value);
    } else if (value < 0x800) {
        byte(0xC0 | (value >> 6));
        byte(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        byte(0xE0 | (value >> 12));
        byte(0x80 | ((value >> 6) & 0x3F));
        byte(0x80 | (value & 0x3F));
    } else {
        byte(0xF0 | (value >> 18));
        byte(0x80 | ((value >> 12) & 0x3F));
        byte(0x80 | ((value >> 6) & 0x3F));
        byte(0x80 | (value & 0x3F));
    }
    return to;
}

}  // namespace

EncodingSink::EncodingSink(ByteSink& bytes, Encoding encoding, std::string name)
    : bytes_(bytes), line_end_(line_end_in(encoding)), name_(std::move(name)) {
    switch (encoding) {
    case Encoding::utf16be:
        throw RunError("cannot write " + name_ + " as UTF-16BE");
    case Encoding::utf16le:
        utf16le_.emplace(bytes_, name_);
        break;
    case Encoding::utf8:
        // Sized once: bytes are written into it in place, and `used_` says how many.
        block_.resize(kBlockRoom);
        break;
    }
}

EncodingSink::EncodingSink(std::unique_ptr<ByteSink> owned, Encoding encoding, std::string name)
    : EncodingSink(*owned, encoding, std::move(name)) {
    owned_ = std::move(owned);
}

void EncodingSink::write(std::u16string_view text) {
    if (line_end_ == kLineEndOfText) {
        write_line(text);
        return;
    }
    for (std::size_t end = text.find(kLineEndOfText.front()); end != std::u16string_view::npos;
         end = text.find(kLineEndOfText.front())) {
        write_line(text.substr(0, end));
        write_line(line_end_);
        text.remove_prefix(end + 1);
    }
    write_line(text);
}

void EncodingSink::write_line(std::u16string_view text) {
    if (utf16le_) {
        utf16le_->write(text);
        return;
    }
    for (std::size_t at = 0; at < text.size(); at += kPieceUnits) {
        write_utf8(text.substr(at, kPieceUnits));
        if (used_ >= kBlockBytes) {
            write_out();
        }
    }
}

void EncodingSink::finish() {
    if (utf16le_) {
        utf16le_->finish();
        return;
    }
    if (high_surrogate_ != 0) {
        high_surrogate_ = 0;
        ++replacements_;
        append_utf8(kReplacementCharacter);
    }
    write_out();
    if (!bytes_.flush()) {
        throw RunError("cannot write " + name_);
    }
}

// Every unit of the output passes here, so the bytes are written in place:
// no unit takes more than three, and a surrogate pair takes four. ASCII, most
// of a Roman text, goes first; the state is kept in locals, since a store
// through a char pointer could change any member.
void EncodingSink::write_utf8(std::u16string_view text) {
    char* to = block_.data() + used_;
    char16_t high = high_surrogate_;
    std::size_t replaced = 0;
    for (const char16_t unit : text) {
        if (unit < 0x80 && high == 0) {
            *to++ = static_cast<char>(unit);
            continue;
        }
        if (high != 0) {
            const char16_t pending = std::exchange(high, 0);
            if (is_low_surrogate(unit)) {
                to = put_utf8(to, code_point_of(pending, unit));
                continue;
            }
            ++replaced;
            to = put_utf8(to, kReplacementCharacter);
        }
        if (is_high_surrogate(unit)) {
            high = unit;
        } else if (is_low_surrogate(unit)) {
            ++replaced;
            to = put_utf8(to, kReplacementCharacter);
        } else {
            to = put_utf8(to, unit);
        }
    }
    high_surrogate_ = high;
    replacements_ += replaced;
    used_ = static_cast<std::size_t>(to - block_.data());
}

void EncodingSink::append_utf8(char32_t value) {
    used_ = static_cast<std::size_t>(put_utf8(block_.data() + used_, value) - block_.data());
}

void EncodingSink::write_out() {
    const bool written = bytes_.write(block_.data(), used_);
    // Dropped even on failure, so that nothing is ever written twice.
    used_ = 0;
    if (!written) {
        throw RunError("cannot write " + name_);
    }
}

std::string encoded_text(std::u16string_view text, Encoding encoding) {
    std::string bytes;
    StringByteSink sink(bytes);
    EncodingSink encoder(sink, encoding, "the text");
    encoder.write(text);
    encoder.finish();
    return bytes;
}

namespace {

// Where the surrogate without its partner at or after `from` stands, if any.
std::optional<std::size_t> lone_surrogate(std::u16string_view units, std::size_t from) {
    for (std::size_t at = from; at < units.size(); ++at) {
        if (is_high_surrogate(units[at]) && at + 1 < units.size() && is_low_surrogate(units[at + 1])) {
            ++at;
        } else if (is_high_surrogate(units[at]) || is_low_surrogate(units[at])) {
            return at;
        }
    }
    return std::nullopt;
}

}  // namespace

std::string utf8_passing_lone_surrogates(std::u16string_view text) {
    std::string bytes;
    std::size_t begin = 0;
    for (auto at = lone_surrogate(text, 0); at; at = lone_surrogate(text, begin)) {
        bytes += encoded_text(text.substr(begin, *at - begin), Encoding::utf8);
        bytes.resize(bytes.size() + 3);
        put_utf8(bytes.data() + bytes.size() - 3, text[*at]);
        begin = *at + 1;
    }
    return bytes + encoded_text(text.substr(begin), Encoding::utf8);
}

}  // namespace taviro
