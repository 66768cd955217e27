#include "taviro/run/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "taviro/run/file_error.h"

namespace taviro {
namespace {

namespace fs = std::filesystem;

// As many as the system follows before it gives up with ELOOP.
constexpr int kMaxLinks = 40;
constexpr int kNameAttempts = 100;

// The file a name stands for once every symbolic link on its end is followed.
// A dangling link yields where it points, so that the file is made there.
fs::path follow_links(fs::path name) {
    for (int links = 0; links < kMaxLinks; ++links) {
        std::error_code error;
        if (!fs::is_symlink(name, error)) return name;
        const fs::path target = fs::read_symlink(name, error);
        if (error) return name;
        name = target.is_absolute() ? target : name.parent_path() / target;
    }
    return name;
}

fs::path folder_of(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

std::string random_suffix(std::mt19937_64& random) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix(8, ' ');
    for (char& letter : suffix) letter = kLetters[random() % (sizeof kLetters - 1)];
    return suffix;
}

// Writes straight to a file descriptor, in blocks; a large write goes out whole,
// without a copy. On a file that will be synced, it asks the system to start
// writing each few megabytes back to the disk as soon as they are written, so
// that writing back overlaps the run and the sync at the end has little left.
class DescriptorBuffer final : public std::streambuf {
public:
    DescriptorBuffer(int descriptor, bool write_back_early)
        : descriptor_(descriptor), write_back_early_(write_back_early), block_(kBlockBytes) {
        setp(block_.data(), block_.data() + block_.size());
    }

    // The errno of the first write that failed; 0 while none has.
    int error() const noexcept { return error_; }

protected:
    int_type overflow(int_type unit) override {
        if (!write_out()) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(unit, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(unit);
            pbump(1);
        }
        return traits_type::not_eof(unit);
    }

    std::streamsize xsputn(const char* bytes, std::streamsize count) override {
        if (count < epptr() - pptr()) {
            std::memcpy(pptr(), bytes, static_cast<std::size_t>(count));
            pbump(static_cast<int>(count));
            return count;
        }
        return write_out() && write_all(bytes, static_cast<std::size_t>(count)) ? count : 0;
    }

    int sync() override { return write_out() ? 0 : -1; }

private:
    static constexpr std::size_t kBlockBytes = 65536;
    static constexpr off_t kWriteBackBytes = off_t{4} << 20;

    // The block is emptied even when writing it fails, so that nothing is ever
    // written twice.
    bool write_out() {
        const auto count = static_cast<std::size_t>(pptr() - pbase());
        setp(block_.data(), block_.data() + block_.size());
        return write_all(block_.data(), count);
    }

    bool write_all(const char* bytes, std::size_t count) {
        while (count > 0 && error_ == 0) {
            const ssize_t written = ::write(descriptor_, bytes, count);
            if (written < 0) {
                if (errno != EINTR) error_ = errno;
                continue;
            }
            bytes += written;
            count -= static_cast<std::size_t>(written);
            written_ += written;
        }
        if (error_ != 0) return false;
        if (write_back_early_ && written_ - written_back_ >= kWriteBackBytes) {
            // Only a hint: the sync at the end is what makes the text safe.
            ::sync_file_range(descriptor_, written_back_, written_ - written_back_, SYNC_FILE_RANGE_WRITE);
            written_back_ = written_;
        }
        return true;
    }

    int descriptor_;
    bool write_back_early_;
    std::vector<char> block_;
    int error_ = 0;
    off_t written_ = 0;
    off_t written_back_ = 0;
};

}  // namespace

ReplacingFile::ReplacingFile(const fs::path& destination) : name_(destination), target_(follow_links(destination)) {
    struct stat status {};
    if (::stat(target_.c_str(), &status) != 0) {
        if (errno != ENOENT) throw file_error("create", name_);
        open_temporary();
        return;
    }
    if (S_ISDIR(status.st_mode)) {
        throw RunError("cannot create " + quoted_name(name_) + ": it is a folder");
    }
    if (!S_ISREG(status.st_mode)) {
        open_direct();
        return;
    }
    // Opening for writing without truncating asks the system whether the file
    // may be written, and changes nothing.
    const int probe = ::open(target_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (probe < 0) throw file_error("create", name_);
    ::close(probe);
    open_temporary();
    ::fchmod(descriptor_, status.st_mode & 07777);
    if (::geteuid() == 0) {
        // Best effort: the file stays its owner's.
        [[maybe_unused]] const int ignored = ::fchown(descriptor_, status.st_uid, status.st_gid);
    }
}

ReplacingFile::~ReplacingFile() {
    if (!committed_ && temporary_.empty() && buffer_) {
        // A device or pipe keeps what the run wrote before it stopped.
        buffer_->pubsync();
    }
    if (descriptor_ >= 0) ::close(descriptor_);
    if (!committed_ && !temporary_.empty()) ::unlink(temporary_.c_str());
}

void ReplacingFile::open_direct() {
    descriptor_ = ::open(target_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOCTTY | O_CLOEXEC, 0666);
    if (descriptor_ < 0) throw file_error("create", name_);
    use_descriptor(false);
}

void ReplacingFile::use_descriptor(bool write_back_early) {
    buffer_ = std::make_unique<DescriptorBuffer>(descriptor_, write_back_early);
    stream_.rdbuf(buffer_.get());
}

// Created with the mode a new file gets, so the system's umask applies, and
// never over an existing file.
void ReplacingFile::open_temporary() {
    const fs::path folder = folder_of(target_);
    std::mt19937_64 random(std::random_device{}());
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const fs::path candidate = folder / (".taviro-" + random_suffix(random) + ".tmp");
        descriptor_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor_ >= 0) {
            temporary_ = candidate;
            break;
        }
        if (std::error_code ignored; errno == ENOENT && !fs::exists(folder, ignored)) {
            throw RunError("cannot create " + quoted_name(name_) + ": the folder " + quoted_name(folder) +
                           " does not exist");
        }
        if (errno != EEXIST) throw file_error("create", name_);
    }
    if (descriptor_ < 0) throw file_error("create", name_);
    use_descriptor(true);
}

void ReplacingFile::commit() {
    stream_.flush();
    if (stream_.fail()) {
        errno = static_cast<DescriptorBuffer&>(*buffer_).error();
        throw file_error("write", name_);
    }
    errno = 0;
    if (!temporary_.empty()) {
        if (::fsync(descriptor_) != 0) throw file_error("write", name_);
        if (::rename(temporary_.c_str(), target_.c_str()) != 0) throw file_error("write", name_);
    }
    const int closed = ::close(descriptor_);
    descriptor_ = -1;
    committed_ = true;
    if (temporary_.empty() && closed != 0) throw file_error("write", name_);
}

}  // namespace taviro
