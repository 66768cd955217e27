#include "taviro/run/interrupt_cleanup.h"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <climits>
#include <cstring>

namespace taviro {
namespace {

constexpr std::array kSignals{SIGINT, SIGTERM, SIGHUP};
constexpr std::size_t kSlots = 8;
constexpr char kEraseLine[] = "\r\033[K";

// The handler may run on any thread, at any moment: it reads only what a slot
// has published whole, and calls only functions safe in a signal handler.
struct Slot {
    std::atomic<bool> taken{false};
    std::atomic<bool> ready{false};
    char name[PATH_MAX]{};
};

std::array<Slot, kSlots> slots;
std::atomic<bool> line_shown{false};

extern "C" void on_interrupt(int signal_number) {
    for (Slot& slot : slots) {
        if (slot.ready.load()) ::unlink(slot.name);
    }
    if (line_shown.load()) {
        [[maybe_unused]] const ssize_t ignored = ::write(STDERR_FILENO, kEraseLine, sizeof kEraseLine - 1);
    }
    // The handler was reset on entry; the signal stays blocked until it
    // returns, and then ends the program as it would have without one.
    ::raise(signal_number);
}

}  // namespace

void clean_up_on_interrupt() {
    for (const int signal_number : kSignals) {
        struct sigaction previous {};
        if (::sigaction(signal_number, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) {
            continue;
        }
        struct sigaction action {};
        action.sa_handler = on_interrupt;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        for (const int other : kSignals) sigaddset(&action.sa_mask, other);
        ::sigaction(signal_number, &action, nullptr);
    }
}

RemovedOnInterrupt::RemovedOnInterrupt(const std::filesystem::path& file) noexcept : slot_(-1) {
    const std::string& name = file.native();
    if (name.size() >= PATH_MAX) return;
    for (std::size_t i = 0; i < kSlots; ++i) {
        bool expected = false;
        if (slots[i].taken.compare_exchange_strong(expected, true)) {
            std::memcpy(slots[i].name, name.c_str(), name.size() + 1);
            slots[i].ready.store(true);
            slot_ = static_cast<int>(i);
            return;
        }
    }
}

RemovedOnInterrupt::~RemovedOnInterrupt() {
    if (slot_ < 0) return;
    Slot& slot = slots[static_cast<std::size_t>(slot_)];
    slot.ready.store(false);
    slot.taken.store(false);
}

void erase_line_on_interrupt(bool shown) noexcept { line_shown.store(shown); }

}  // namespace taviro
