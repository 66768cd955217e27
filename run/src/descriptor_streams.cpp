#include "taviro/run/descriptor_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "taviro/run/file_error.h"

namespace taviro {
namespace {

constexpr std::size_t kBlockBytes = 65536;
constexpr off_t kWriteBackBytes = off_t{4} << 20;

RunError failure(std::string_view action, const std::string& name, int error) {
    return RunError("cannot " + std::string(action) + " " + name + ": " + std::strerror(error));
}

int open_for_reading(const std::filesystem::path& file) {
    int descriptor = -1;
    do {
        descriptor = ::open(file.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        throw file_error("open", file);
    }
    return descriptor;
}

}  // namespace

DescriptorReadBuffer::DescriptorReadBuffer(int descriptor, std::string name)
    : descriptor_(descriptor), name_(std::move(name)), block_(kBlockBytes) {
    setg(block_.data(), block_.data(), block_.data());
}

// Up to `count` bytes; 0 only at the end of the input.
std::size_t DescriptorReadBuffer::read_some(char* bytes, std::size_t count) {
    ssize_t got = 0;
    do {
        got = ::read(descriptor_, bytes, count);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        throw failure("read", name_, errno);
    }
    return static_cast<std::size_t>(got);
}

DescriptorReadBuffer::int_type DescriptorReadBuffer::underflow() {
    if (gptr() < egptr()) {
        return traits_type::to_int_type(*gptr());
    }
    const std::size_t got = read_some(block_.data(), block_.size());
    setg(block_.data(), block_.data(), block_.data() + got);
    return got == 0 ? traits_type::eof() : traits_type::to_int_type(*gptr());
}

// A large read goes straight into the caller's bytes.
std::streamsize DescriptorReadBuffer::xsgetn(char* bytes, std::streamsize count) {
    std::streamsize done = 0;
    while (done < count) {
        if (gptr() < egptr()) {
            const std::streamsize taken = std::min(count - done, static_cast<std::streamsize>(egptr() - gptr()));
            std::memcpy(bytes + done, gptr(), static_cast<std::size_t>(taken));
            gbump(static_cast<int>(taken));
            done += taken;
            continue;
        }
        const auto wanted = static_cast<std::size_t>(count - done);
        if (wanted >= block_.size()) {
            const std::size_t got = read_some(bytes + done, wanted);
            if (got == 0) break;
            done += static_cast<std::streamsize>(got);
        } else if (traits_type::eq_int_type(underflow(), traits_type::eof())) {
            break;
        }
    }
    return done;
}

DescriptorWriteBuffer::DescriptorWriteBuffer(int descriptor, std::string name, bool write_back_early)
    : descriptor_(descriptor), name_(std::move(name)), write_back_early_(write_back_early), block_(kBlockBytes) {
    setp(block_.data(), block_.data() + block_.size());
}

DescriptorWriteBuffer::int_type DescriptorWriteBuffer::overflow(int_type unit) {
    write_out();
    if (!traits_type::eq_int_type(unit, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(unit);
        pbump(1);
    }
    return traits_type::not_eof(unit);
}

std::streamsize DescriptorWriteBuffer::xsputn(const char* bytes, std::streamsize count) {
    if (count < epptr() - pptr()) {
        std::memcpy(pptr(), bytes, static_cast<std::size_t>(count));
        pbump(static_cast<int>(count));
        return count;
    }
    write_out();
    write_all(bytes, static_cast<std::size_t>(count));
    return count;
}

int DescriptorWriteBuffer::sync() {
    write_out();
    return 0;
}

// The block is emptied even when writing it fails, so that nothing is ever
// written twice.
void DescriptorWriteBuffer::write_out() {
    const auto count = static_cast<std::size_t>(pptr() - pbase());
    setp(block_.data(), block_.data() + block_.size());
    write_all(block_.data(), count);
}

void DescriptorWriteBuffer::write_all(const char* bytes, std::size_t count) {
    if (failed_) {
        // What follows a lost block must not reach the file either.
        throw RunError("cannot write " + name_ + ": an earlier write failed");
    }
    while (count > 0) {
        const ssize_t written = ::write(descriptor_, bytes, count);
        if (written < 0) {
            if (errno == EINTR) continue;
            failed_ = true;
            throw failure("write", name_, errno);
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
        written_ += written;
    }
    if (write_back_early_ && written_ - written_back_ >= kWriteBackBytes) {
        // Only a hint: the sync at the end is what makes the text safe.
        ::sync_file_range(descriptor_, written_back_, written_ - written_back_, SYNC_FILE_RANGE_WRITE);
        written_back_ = written_;
    }
}

InputFile::InputFile(const std::filesystem::path& file)
    : std::istream(nullptr), descriptor_(open_for_reading(file)), owned_(true), buffer_(descriptor_, quoted_name(file)) {
    rdbuf(&buffer_);
    exceptions(std::ios::badbit);
}

InputFile::InputFile(int descriptor, std::string name)
    : std::istream(nullptr), descriptor_(descriptor), owned_(false), buffer_(descriptor, std::move(name)) {
    rdbuf(&buffer_);
    exceptions(std::ios::badbit);
}

// Only read from: closing it can lose nothing.
InputFile::~InputFile() {
    if (owned_) ::close(descriptor_);
}

OutputDescriptor::OutputDescriptor(int descriptor, std::string name)
    : std::ostream(nullptr), buffer_(descriptor, std::move(name), false) {
    rdbuf(&buffer_);
    exceptions(std::ios::badbit);
}

std::string read_whole_file(const std::filesystem::path& file) {
    InputFile input(file);
    std::string bytes;
    std::vector<char> block(kBlockBytes);
    while (true) {
        input.read(block.data(), static_cast<std::streamsize>(block.size()));
        bytes.append(block.data(), static_cast<std::size_t>(input.gcount()));
        if (input.eof()) return bytes;
    }
}

}  // namespace taviro
