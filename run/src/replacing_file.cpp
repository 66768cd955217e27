#include "taviro/run/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>

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

void sync_folder(const fs::path& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    // Some file systems cannot sync a folder; the rename itself has happened.
    ::fsync(descriptor);
    ::close(descriptor);
}

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
    if (committed_) return;
    stream_.close();
    if (descriptor_ >= 0) ::close(descriptor_);
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

void ReplacingFile::open_direct() {
    errno = 0;
    stream_.open(target_, std::ios::binary | std::ios::trunc);
    if (!stream_.is_open()) throw file_error("create", name_);
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
    errno = 0;
    stream_.open(temporary_, std::ios::binary);
    if (!stream_.is_open()) throw file_error("create", name_);
}

void ReplacingFile::commit() {
    errno = 0;
    stream_.close();
    if (stream_.fail()) throw file_error("write", name_);
    if (!temporary_.empty()) {
        errno = 0;
        if (::fsync(descriptor_) != 0) throw file_error("write", name_);
        if (::rename(temporary_.c_str(), target_.c_str()) != 0) throw file_error("write", name_);
        ::close(descriptor_);
        descriptor_ = -1;
        sync_folder(folder_of(target_));
    }
    committed_ = true;
}

}  // namespace taviro
