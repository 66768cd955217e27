// A destination file written so that a failed run never costs what was there
// before: the text goes into a temporary file in the destination's folder, and
// only commit() puts it in the destination's place, with one rename, once it is
// safely on disk. Until then, and after any failure, the destination is exactly
// as it was, and the temporary file is gone when the object is.
//
// A destination that exists keeps its permission bits (and, for the superuser,
// its owner). One reached through symbolic links is replaced at the end of the
// links, which stay. A destination that is no regular file (a device such as
// /dev/null, a named pipe) cannot be replaced and is written directly.
#pragma once

#include <filesystem>
#include <memory>
#include <ostream>
#include <streambuf>

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

    std::ostream& stream() noexcept { return stream_; }

    // Writes the text out, syncs it and renames it over the destination: after
    // a crash the destination holds the old text or the whole new one, never a
    // part. The folder is not synced; the system records the rename within
    // seconds. Throws RunError; the destination is then as it was.
    void commit();

private:
    void open_direct();
    void open_temporary();
    void use_descriptor(bool write_back_early);

    std::filesystem::path name_;       // as given, for messages
    std::filesystem::path target_;     // the file to replace: the name with its links followed
    std::filesystem::path temporary_;  // empty when the destination is written directly
    int descriptor_ = -1;
    std::unique_ptr<std::streambuf> buffer_;
    std::ostream stream_{nullptr};
    bool committed_ = false;
};

}  // namespace taviro
