// A one-line progress display for long conversions on a terminal: bytes read,
// and with a known total the share done, a bar and the time left; the rate
// either way. It appears only once a conversion has run for a second, redraws
// at most five times a second, and clear() takes it away again.
//
// It does not decide whether to show itself: the caller creates one only when
// standard error is a terminal and the user did not ask for quiet.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace taviro {

// "  1.5 MiB / 4.0 MiB [#######.............] 37%  2.0 MiB/s  0:01 left", or
// without a total "  1.5 MiB  2.0 MiB/s".
std::string progress_line(std::uint64_t done, std::optional<std::uint64_t> total, std::chrono::duration<double> elapsed);

class ProgressBar final {
public:
    using Clock = std::chrono::steady_clock;

    ProgressBar(std::ostream& terminal, std::optional<std::uint64_t> total);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void bytes_read(std::uint64_t bytes);
    // Erases the line, if one was drawn.
    void clear();

private:
    std::ostream& terminal_;
    std::optional<std::uint64_t> total_;
    Clock::time_point start_;
    Clock::time_point last_drawn_;
    bool drawn_ = false;
};

}  // namespace taviro
