// A destination file written so that a failed run never costs what was there
// before: the text goes into a temporary file in the destination's folder, and
// only commit() puts it in the destination's place, with one rename, once it is
// safely on disk. Until then, and after any failure, the destination is exactly
// as it was.
//
// The temporary file has no name while it is written (O_TMPFILE) where the file
// system allows it, as ext4, XFS, Btrfs and tmpfs do: a run killed at any point
// leaves nothing behind. It is given a hidden name, .taviro-XXXXXXXX.tmp, only
// for the rename. Where the file system refuses unnamed files (NFS, FAT and
// exFAT, many FUSE file systems) the temporary file has that name from the
// start. Ctrl-C, SIGTERM and SIGHUP remove it (see interrupt_cleanup.h); after
// SIGKILL or a power cut it stays, and the next replacement in that folder
// removes it. A live run holds a lock on its temporary file, so no other run
// ever removes it.
//
// A destination that exists keeps its permission bits (and, for the superuser,
// its owner): the temporary file is made readable by its owner alone, and a run
// that cannot give it the destination's mode fails. One reached through
// symbolic links is replaced at the end of the links, which stay. A destination
// that is no regular file (a device such as /dev/null, a named pipe) cannot be
// replaced and is written directly.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "taviro/run/descriptor_streams.h"
#include "taviro/run/interrupt_cleanup.h"

namespace taviro {

class ReplacingFile {
public:
    // Refuses, before anything is written, a destination that could not be
    // written: a folder, a file without write permission, a missing or
    // unwritable folder. Throws RunError naming `destination`.
    explicit ReplacingFile(const std::filesystem::path& destination);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Throws RunError, with the system's reason, from the write that failed.
    std::ostream& stream() noexcept { return stream_; }

    // Writes the text out, syncs it and renames it over the destination: after
    // a crash the destination holds the old text or the whole new one, never a
    // part. The folder is not synced; the system records the rename within
    // seconds. Throws RunError; the destination is then as it was.
    void commit();

    // Drops the text without touching the destination. Returns, in words, a
    // temporary file that could not be removed; empty when none was left.
    std::string discard() noexcept;

private:
    void open_direct();
    void open_temporary(mode_t mode);
    bool open_unnamed(mode_t mode);
    void open_named(mode_t mode);
    void keep_owner_and_mode(const struct stat& destination);
    void use_descriptor(bool write_back_early);
    void give_name();
    void sync();

    std::filesystem::path name_;       // as given, for messages
    std::filesystem::path target_;     // the file to replace: the name with its links followed
    std::filesystem::path temporary_;  // the temporary file's name, while it has one
    bool replaces_ = false;            // written to a temporary file, not directly
    int descriptor_ = -1;
    std::unique_ptr<DescriptorWriteBuffer> buffer_;
    std::ostream stream_{nullptr};
    std::optional<RemovedOnInterrupt> removal_;
    bool committed_ = false;
};

}  // namespace taviro
