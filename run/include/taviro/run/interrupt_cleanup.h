// What a program leaves behind when Ctrl-C, SIGTERM or SIGHUP stops it: no
// temporary file of a replacement in progress, and no half-drawn progress line.
//
// A program calls clean_up_on_interrupt() once, at its start. From then on
// those signals remove every file registered with a RemovedOnInterrupt, erase
// the marked terminal line, and end the program by the same signal, so that
// its parent sees why it ended (a shell reports 128 + the signal's number).
// A signal the program was started with ignored (nohup) stays ignored.
//
// It does nothing for SIGKILL or a power cut, which no program can catch: the
// safe replacement keeps the destination whole, and a later run removes what
// was left (see ReplacingFile).
#pragma once

#include <filesystem>

namespace taviro {

void clean_up_on_interrupt();

// While it lives, the file of that name is removed if the program is
// interrupted. A handful may live at once; registration never fails, but past
// that number a file is not removed.
class RemovedOnInterrupt {
public:
    explicit RemovedOnInterrupt(const std::filesystem::path& file) noexcept;
    ~RemovedOnInterrupt();
    RemovedOnInterrupt(const RemovedOnInterrupt&) = delete;
    RemovedOnInterrupt& operator=(const RemovedOnInterrupt&) = delete;

private:
    int slot_;
};

// Whether standard error holds a line that an interruption should erase.
void erase_line_on_interrupt(bool line_shown) noexcept;

}  // namespace taviro
