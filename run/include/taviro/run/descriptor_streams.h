// Streams over file descriptors, for files and the standard streams, whose
// failures carry the system's reason.
//
// A read or write that fails throws RunError out of the stream call that made
// it ("cannot read 'in.txt': Input/output error"): a failed read never passes
// for the end of the input, and a failed write never goes unnoticed until a
// later check. A call that a signal interrupts is made again.
//
// They do not seek: a text is read once, from the start, as a pipe would be.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <istream>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace taviro {

// `name` is the file as messages show it: "'in.txt'" or "standard input".
class DescriptorReadBuffer final : public std::streambuf {
public:
    DescriptorReadBuffer(int descriptor, std::string name);

protected:
    int_type underflow() override;
    std::streamsize xsgetn(char* bytes, std::streamsize count) override;

private:
    std::size_t read_some(char* bytes, std::size_t count);

    int descriptor_;
    std::string name_;
    std::vector<char> block_;
};

// Writes in blocks; a large write goes out whole, without a copy. With
// `write_back_early`, for a file that will be synced, it asks the system to
// start writing each few megabytes back to the disk as soon as they are
// written, so that writing back overlaps the run and the sync at the end has
// little left to do.
class DescriptorWriteBuffer final : public std::streambuf {
public:
    DescriptorWriteBuffer(int descriptor, std::string name, bool write_back_early);

protected:
    int_type overflow(int_type unit) override;
    std::streamsize xsputn(const char* bytes, std::streamsize count) override;
    int sync() override;

private:
    void write_out();
    void write_all(const char* bytes, std::size_t count);

    int descriptor_;
    std::string name_;
    bool write_back_early_;
    std::vector<char> block_;
    bool failed_ = false;
    off_t written_ = 0;
    off_t written_back_ = 0;
};

// A file opened by name, or a descriptor that stays open (standard input).
class InputFile final : public std::istream {
public:
    // Throws RunError with the system's reason when it cannot be opened.
    explicit InputFile(const std::filesystem::path& file);
    InputFile(int descriptor, std::string name);
    ~InputFile() override;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    int descriptor() const noexcept { return descriptor_; }

private:
    int descriptor_;
    bool owned_;
    DescriptorReadBuffer buffer_;
};

// Writes to a descriptor that stays open, such as standard output.
class OutputDescriptor final : public std::ostream {
public:
    OutputDescriptor(int descriptor, std::string name);

private:
    DescriptorWriteBuffer buffer_;
};

// The whole of `file`, read with the checks above. Throws RunError.
std::string read_whole_file(const std::filesystem::path& file);

}  // namespace taviro
