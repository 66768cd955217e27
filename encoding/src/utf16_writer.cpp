#include "taviro/encoding/utf16_writer.h"

#include <bit>
#include <utility>

#include "taviro/convert/run_error.h"

namespace taviro {
namespace {

constexpr std::size_t kBlockBytes = 65536;
constexpr std::string_view kByteOrderMark = "\xFF\xFE";

}  // namespace

Utf16Writer::Utf16Writer(ByteSink& bytes, std::string name) : bytes_(bytes), name_(std::move(name)) {
    block_.reserve(kBlockBytes + kBlockBytes / 4);
    block_ = kByteOrderMark;
}

Utf16Writer::Utf16Writer(std::unique_ptr<ByteSink> owned, std::string name)
    : Utf16Writer(*owned, std::move(name)) {
    owned_ = std::move(owned);
}

// Every unit of the output passes here: a little-endian machine copies the
// units as they lie in memory.
void Utf16Writer::write(std::u16string_view text) {
    if constexpr (std::endian::native == std::endian::little) {
        const auto* bytes = reinterpret_cast<const char*>(text.data());
        if (2 * text.size() >= kBlockBytes) {
            // A long text goes out as it lies, after what is held.
            write_out();
            write_bytes(bytes, 2 * text.size());
            return;
        }
        block_.append(bytes, 2 * text.size());
    } else {
        for (const char16_t unit : text) {
            block_.push_back(static_cast<char>(unit & 0xFF));
            block_.push_back(static_cast<char>(unit >> 8));
        }
    }
    if (block_.size() >= kBlockBytes) {
        write_out();
    }
}

void Utf16Writer::finish() {
    write_out();
    if (!bytes_.flush()) {
        throw RunError("cannot write " + name_);
    }
}

void Utf16Writer::write_out() {
    const bool written = bytes_.write(block_.data(), block_.size());
    // Dropped even on failure, so that nothing is ever written twice.
    block_.clear();
    if (!written) {
        throw RunError("cannot write " + name_);
    }
}

void Utf16Writer::write_bytes(const char* bytes, std::size_t count) {
    if (!bytes_.write(bytes, count)) {
        throw RunError("cannot write " + name_);
    }
}

}  // namespace taviro
