// The one lock every edit of a dictionary file holds, from before it reads the
// file until its new version has replaced it, so that two editors at once (two
// scripts adding words, two people sharing a dictionary) wait for each other
// instead of each writing a copy that lacks the other's change.
//
// The lock is flock() on the dictionary itself. The kernel frees it when its
// holder ends, however it ends, so a killed edit never blocks the next one,
// and no lock file is left behind. An edit replaces the file with a new one,
// so an editor that waited on the old file finds, once it has the lock, that
// the name now stands for another file, and takes the lock again on that one.
// Readers (conversions) take no lock: a dictionary is only ever replaced whole,
// and SQLite's own locks are of another kind, which flock() leaves alone.
//
// A file that does not exist yet, or cannot be opened, is not locked: there is
// nothing in it to lose, and the edit itself says what is wrong with it.
#pragma once

#include <chrono>
#include <filesystem>

namespace taviro {

// How long an edit waits for another to finish before it gives up.
inline constexpr std::chrono::seconds kEditWait{60};

class EditLock {
public:
    // Waits up to `wait` for the lock of `dictionary`. Throws RunError when
    // the lock cannot be taken, or when another edit held it all that time;
    // nothing has been read or changed then.
    explicit EditLock(const std::filesystem::path& dictionary,
                      std::chrono::milliseconds wait = kEditWait);
    ~EditLock();
    EditLock(const EditLock&) = delete;
    EditLock& operator=(const EditLock&) = delete;

private:
    bool try_lock_once();

    std::filesystem::path dictionary_;
    int descriptor_ = -1;  // the locked file's, or -1 with no file to lock
};

}  // namespace taviro
