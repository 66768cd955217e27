// Where the encoders put their bytes: a file in run/, a string in memory for
// the page, Python and taviro-dict. It is an interface of its own, not a
// std::ostream, so that an encoder can be linked without iostreams: the page's
// module would grow by a third for a stream it never needs.
#pragma once

#include <cstddef>
#include <string>

namespace taviro {

class ByteSink {
public:
    ByteSink() = default;
    ByteSink(const ByteSink&) = delete;
    ByteSink& operator=(const ByteSink&) = delete;
    virtual ~ByteSink() = default;

    // Takes `count` bytes; false when they could not all be taken, or when an
    // earlier write had failed.
    virtual bool write(const char* bytes, std::size_t count) = 0;
    // Hands what it holds on to where it goes; false when that failed.
    virtual bool flush() { return true; }
};

// Appends the bytes to a string the caller owns; it never fails.
class StringByteSink final : public ByteSink {
public:
    explicit StringByteSink(std::string& bytes) : bytes_(bytes) {}

    bool write(const char* bytes, std::size_t count) override {
        bytes_.append(bytes, count);
        return true;
    }

private:
    std::string& bytes_;
};

}  // namespace taviro
