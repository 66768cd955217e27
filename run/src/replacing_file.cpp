#include "taviro/run/replacing_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <random>
#include <set>
#include <string>

#include "taviro/run/file_error.h"

namespace taviro {
namespace {

namespace fs = std::filesystem;

// As many as the system follows before it gives up with ELOOP.
constexpr int kMaxLinks = 40;
constexpr int kNameAttempts = 100;
constexpr std::string_view kTemporaryPrefix = ".taviro-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::size_t kSuffixLength = 8;
constexpr char kSuffixLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr mode_t kOwnerOnly = 0600;
constexpr mode_t kNewFileMode = 0666;  // less the umask, as for any new file

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

fs::path temporary_name(const fs::path& folder) {
    thread_local std::mt19937_64 random(std::random_device{}());
    std::string suffix(kSuffixLength, ' ');
    for (char& letter : suffix) letter = kSuffixLetters[random() % (sizeof kSuffixLetters - 1)];
    return folder / (std::string(kTemporaryPrefix) + suffix + std::string(kTemporarySuffix));
}

bool is_temporary_name(std::string_view name) {
    if (name.size() != kTemporaryPrefix.size() + kSuffixLength + kTemporarySuffix.size() ||
        !name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) {
        return false;
    }
    const std::string_view suffix = name.substr(kTemporaryPrefix.size(), kSuffixLength);
    return suffix.find_first_not_of(kSuffixLetters) == std::string_view::npos;
}

bool names_this_file(const fs::path& name, int descriptor) {
    struct stat named {};
    struct stat opened {};
    return ::lstat(name.c_str(), &named) == 0 && ::fstat(descriptor, &opened) == 0 &&
           named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
}

// A temporary file that no live run holds locked was left by a run that was
// killed. Taking its lock proves it, and then it is removed.
void remove_if_stale(const fs::path& file) {
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) return;
    struct stat status {};
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && ::flock(descriptor, LOCK_EX | LOCK_NB) == 0 &&
        names_this_file(file, descriptor)) {
        ::unlink(file.c_str());
    }
    ::close(descriptor);
}

// Once per folder and program: a batch of thousands of files into one folder
// reads it once.
void remove_stale_temporaries(const fs::path& folder) {
    static std::mutex mutex;
    static std::set<fs::path> swept;
    std::error_code error;
    const fs::path key = fs::absolute(folder, error);
    {
        const std::lock_guard lock(mutex);
        if (error || !swept.insert(key).second) return;
    }
    for (fs::directory_iterator entry(folder, fs::directory_options::skip_permission_denied, error), end;
         !error && entry != end; entry.increment(error)) {
        if (is_temporary_name(entry->path().filename().native())) {
            remove_if_stale(entry->path());
        }
    }
}

int open_retrying(const char* name, int flags, mode_t mode) {
    int descriptor = -1;
    do {
        descriptor = ::open(name, flags, mode);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

void lock(int descriptor) {
    while (::flock(descriptor, LOCK_EX) != 0 && errno == EINTR) {
    }
}

// Unnamed files are given a name through their /proc entry, which needs /proc.
bool can_name_unnamed_files() {
    static const bool can = ::access("/proc/self/fd", X_OK) == 0;
    return can;
}

}  // namespace

ReplacingFile::ReplacingFile(const fs::path& destination) : name_(destination), target_(follow_links(destination)) {
    try {
        struct stat status {};
        if (::stat(target_.c_str(), &status) != 0) {
            if (errno != ENOENT) throw file_error("create", name_);
            open_temporary(kNewFileMode);
            return;
        }
        if (S_ISDIR(status.st_mode)) {
            throw RunError("cannot create " + quoted_name(name_) + ": it is a folder");
        }
        if (!S_ISREG(status.st_mode)) {
            open_direct();
            return;
        }
        // Opening for writing without truncating asks the system whether the
        // file may be written, and changes nothing.
        const int probe = open_retrying(target_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
        if (probe < 0) throw file_error("create", name_);
        ::close(probe);
        open_temporary(kOwnerOnly);
        keep_owner_and_mode(status);
    } catch (...) {
        discard();
        throw;
    }
}

ReplacingFile::~ReplacingFile() {
    discard();
}

std::string ReplacingFile::discard() noexcept {
    if (committed_) return {};
    std::string leftover;
    if (!replaces_ && buffer_) {
        // A device or pipe keeps what the run wrote before it stopped.
        try {
            buffer_->pubsync();
        } catch (const RunError&) {
        }
    }
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
    if (!temporary_.empty() && ::unlink(temporary_.c_str()) != 0 && errno != ENOENT) {
        leftover = "the temporary file " + quoted_name(temporary_) + " could not be removed: " + std::strerror(errno);
    }
    temporary_.clear();
    removal_.reset();
    committed_ = true;  // nothing more to do, whatever happens next
    return leftover;
}

void ReplacingFile::open_direct() {
    descriptor_ = open_retrying(target_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOCTTY | O_CLOEXEC, kNewFileMode);
    if (descriptor_ < 0) throw file_error("create", name_);
    use_descriptor(false);
}

void ReplacingFile::use_descriptor(bool write_back_early) {
    buffer_ = std::make_unique<DescriptorWriteBuffer>(descriptor_, quoted_name(name_), write_back_early);
    stream_.rdbuf(buffer_.get());
    stream_.exceptions(std::ios::badbit);
}

// Never over an existing file: the temporary file is always new.
void ReplacingFile::open_temporary(mode_t mode) {
    replaces_ = true;
    const fs::path folder = folder_of(target_);
    remove_stale_temporaries(folder);
    if (!open_unnamed(mode)) {
        open_named(mode);
    }
    use_descriptor(true);
}

// False where the file system makes no unnamed files; throws where the folder
// itself is the problem.
bool ReplacingFile::open_unnamed(mode_t mode) {
    if (!can_name_unnamed_files()) return false;
    const fs::path folder = folder_of(target_);
    descriptor_ = open_retrying(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (descriptor_ < 0) {
        if (errno == ENOENT) {
            throw RunError("cannot create " + quoted_name(name_) + ": the folder " + quoted_name(folder) +
                           " does not exist");
        }
        return false;
    }
    lock(descriptor_);
    return true;
}

// The lock is taken before the name is trusted: a run that sweeps stale files
// may have removed the name between its creation and the lock.
void ReplacingFile::open_named(mode_t mode) {
    const fs::path folder = folder_of(target_);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const fs::path candidate = temporary_name(folder);
        removal_.emplace(candidate);
        descriptor_ = open_retrying(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, mode);
        if (descriptor_ >= 0) {
            lock(descriptor_);
            if (names_this_file(candidate, descriptor_)) {
                temporary_ = candidate;
                return;
            }
            ::close(descriptor_);
            descriptor_ = -1;
            continue;
        }
        removal_.reset();
        if (std::error_code ignored; errno == ENOENT && !fs::exists(folder, ignored)) {
            throw RunError("cannot create " + quoted_name(name_) + ": the folder " + quoted_name(folder) +
                           " does not exist");
        }
        if (errno != EEXIST) throw file_error("create", name_);
    }
    throw RunError("cannot create " + quoted_name(name_) + ": no free name for a temporary file");
}

// The owner first: giving a file away clears its set-user-ID bits, which the
// mode then restores.
void ReplacingFile::keep_owner_and_mode(const struct stat& destination) {
    if (::geteuid() == 0 && ::fchown(descriptor_, destination.st_uid, destination.st_gid) != 0) {
        throw file_error("keep the owner of", name_);
    }
    if (::fchmod(descriptor_, destination.st_mode & 07777) != 0) {
        throw file_error("keep the permissions of", name_);
    }
}

void ReplacingFile::sync() {
    while (::fsync(descriptor_) != 0) {
        if (errno != EINTR) throw file_error("write", name_);
    }
}

// The unnamed file gets a name of its own beside the destination, to be
// renamed over it at once: a rename is the one step that replaces a file whole.
void ReplacingFile::give_name() {
    const std::string proc_entry = "/proc/self/fd/" + std::to_string(descriptor_);
    const fs::path folder = folder_of(target_);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const fs::path candidate = temporary_name(folder);
        removal_.emplace(candidate);
        if (::linkat(AT_FDCWD, proc_entry.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            temporary_ = candidate;
            return;
        }
        removal_.reset();
        if (errno != EEXIST) throw file_error("write", name_);
    }
    throw RunError("cannot write " + quoted_name(name_) + ": no free name for a temporary file");
}

void ReplacingFile::commit() {
    stream_.flush();
    if (!stream_) throw RunError("cannot write " + quoted_name(name_));
    if (replaces_) {
        sync();
        if (temporary_.empty()) give_name();
        if (::rename(temporary_.c_str(), target_.c_str()) != 0) throw file_error("write", name_);
        temporary_.clear();
        removal_.reset();
        // Synced already: closing can lose nothing.
        ::close(descriptor_);
        descriptor_ = -1;
        committed_ = true;
        return;
    }
    const int closed = ::close(descriptor_);
    descriptor_ = -1;
    committed_ = true;
    if (closed != 0) throw file_error("write", name_);
}

}  // namespace taviro
