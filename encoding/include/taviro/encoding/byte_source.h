// Where a decoding source takes its bytes from: a file in run/, bytes in
// memory for the page. It is an interface of its own, not a std::istream, so
// that a reader can be linked without iostreams: the page's module would grow
// by a third for a stream it never needs.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>

namespace taviro {

class ByteSource {
public:
    ByteSource() = default;
    ByteSource(const ByteSource&) = delete;
    ByteSource& operator=(const ByteSource&) = delete;
    virtual ~ByteSource() = default;

    // Up to `wanted` bytes into `bytes`, fewer only at the end of the input;
    // nothing when they could not be read (errno may say why).
    virtual std::optional<std::size_t> read(char* bytes, std::size_t wanted) = 0;
};

// Bytes the caller holds, which must outlive the source; it never fails.
class ViewByteSource final : public ByteSource {
public:
    explicit ViewByteSource(std::string_view bytes) : bytes_(bytes) {}

    std::optional<std::size_t> read(char* bytes, std::size_t wanted) override {
        const std::size_t count = std::min(wanted, bytes_.size());
        std::copy_n(bytes_.data(), count, bytes);
        bytes_.remove_prefix(count);
        return count;
    }

private:
    std::string_view bytes_;
};

}  // namespace taviro
