#include "taviro/cli/progress_bar.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "taviro/run/interrupt_cleanup.h"

namespace taviro {
namespace {

using namespace std::chrono_literals;

constexpr auto kQuietStart = 1s;       // short conversions show nothing
constexpr auto kRedrawInterval = 200ms;
constexpr std::size_t kBarWidth = 20;
constexpr std::string_view kEraseLine = "\r\033[K";

struct Unit {
    double size;
    const char* name;
};
constexpr std::array<Unit, 4> kUnits{{{1 << 30, "GiB"}, {1 << 20, "MiB"}, {1 << 10, "KiB"}, {1, "B"}}};

std::string format(const char* pattern, double value, const char* unit) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), pattern, value, unit);
    return text.data();
}

std::string size_text(double bytes) {
    for (const Unit& unit : kUnits) {
        if (bytes >= unit.size || unit.size == 1) {
            return unit.size == 1 ? format("%.0f %s", bytes, unit.name) : format("%.1f %s", bytes / unit.size, unit.name);
        }
    }
    return {};
}

std::string duration_text(double seconds) {
    const auto whole = static_cast<long long>(std::ceil(seconds));
    std::array<char, 32> text{};
    if (whole >= 3600) {
        std::snprintf(text.data(), text.size(), "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
    } else {
        std::snprintf(text.data(), text.size(), "%lld:%02lld", whole / 60, whole % 60);
    }
    return text.data();
}

std::string bar_text(double share) {
    const std::size_t filled = std::min(kBarWidth, static_cast<std::size_t>(share * kBarWidth));
    std::string bar(kBarWidth + 2, '.');
    bar.front() = '[';
    bar.back() = ']';
    std::fill_n(bar.begin() + 1, filled, '#');
    return bar;
}

}  // namespace

std::string progress_line(std::uint64_t done, std::optional<std::uint64_t> total,
                          std::chrono::duration<double> elapsed) {
    const double seconds = elapsed.count();
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0;
    std::string line = "  " + size_text(static_cast<double>(done));
    if (total && *total > 0) {
        const double share = std::min(1.0, static_cast<double>(done) / static_cast<double>(*total));
        line += " / " + size_text(static_cast<double>(*total)) + " " + bar_text(share) + " " +
                std::to_string(static_cast<int>(share * 100)) + "%";
    }
    line += "  " + size_text(rate) + "/s";
    if (total && rate > 0 && *total >= done) {
        line += "  " + duration_text(static_cast<double>(*total - done) / rate) + " left";
    }
    return line;
}

ProgressBar::ProgressBar(std::ostream& terminal, std::optional<std::uint64_t> total)
    : terminal_(terminal), total_(total), start_(Clock::now()), last_drawn_(start_) {}

ProgressBar::~ProgressBar() {
    clear();
}

void ProgressBar::bytes_read(std::uint64_t bytes) {
    const Clock::time_point now = Clock::now();
    if (now - start_ < kQuietStart || now - last_drawn_ < kRedrawInterval) {
        return;
    }
    last_drawn_ = now;
    drawn_ = true;
    erase_line_on_interrupt(true);
    terminal_ << kEraseLine << progress_line(bytes, total_, now - start_) << std::flush;
}

void ProgressBar::clear() {
    if (drawn_) {
        drawn_ = false;
        terminal_ << kEraseLine << std::flush;
        erase_line_on_interrupt(false);
    }
}

}  // namespace taviro
