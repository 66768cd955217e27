// The run view: what the window a conversion runs in shows of the run. The
// main window implements it with widgets, tests with a recorder. Names are UTF-8.
//
// It holds no logic: run_conversion() decides what to show and when.
#pragma once

#include <string>
#include <string_view>

namespace taviro {

class RunView {
public:
    virtual ~RunView() = default;

    // The two file names as typed.
    virtual std::string source_name() const = 0;
    virtual std::string destination_name() const = 0;
    // Shows the destination name the run writes: the one typed, ".txt" added.
    virtual void set_destination_name(const std::string& name) = 0;
    // Empties both names and puts the focus on the source name, for the next run.
    virtual void clear_names() = 0;

    // Modal messages; each returns once the user has dismissed it. A warning
    // may come with the run's reason in plain words, shown beneath it.
    virtual void warn(std::string_view message, std::string_view reason) = 0;  // exclamation icon
    virtual void inform(std::string_view message) = 0;  // information icon

    // Busy: the controls that would start or leave a run are disabled and the
    // "please wait" block shows, painted at once, since the window handles no
    // events until the run ends. Idle: all as before.
    virtual void set_busy(bool busy) = 0;
};

}  // namespace taviro
