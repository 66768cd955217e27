#include "taviro/run/edit_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

#include "taviro/run/file_error.h"

namespace taviro {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

constexpr milliseconds kFirstPause{5};
constexpr milliseconds kLongestPause{100};

bool same_file(const struct stat& first, const struct stat& second) {
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::string whole_seconds(milliseconds wait) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait).count();
    return seconds == 1 ? "1 second" : std::to_string(seconds) + " seconds";
}

}  // namespace

EditLock::EditLock(const fs::path& dictionary, milliseconds wait) : dictionary_(dictionary) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    milliseconds pause = kFirstPause;
    while (!try_lock_once()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            throw RunError("cannot change the dictionary " + quoted_name(dictionary_) +
                           ": another edit of it has gone on for " + whole_seconds(wait) +
                           "; try again once it is done");
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, kLongestPause);
    }
}

EditLock::~EditLock() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

// Takes the lock if it is free: true when it is held now, or when there is no
// file to lock. A lock taken on a file that another edit has since replaced
// counts for nothing, and the new file is tried at once.
bool EditLock::try_lock_once() {
    for (;;) {
        const int descriptor = ::open(dictionary_.c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0) {
            return true;
        }
        if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            const int reason = errno;
            ::close(descriptor);
            if (reason == EWOULDBLOCK || reason == EINTR) return false;
            errno = reason;
            throw file_error("lock", dictionary_);
        }
        struct stat locked {};
        struct stat named {};
        if (::fstat(descriptor, &locked) == 0 && ::stat(dictionary_.c_str(), &named) == 0 &&
            same_file(locked, named)) {
            descriptor_ = descriptor;
            return true;
        }
        ::close(descriptor);
    }
}

}  // namespace taviro
