// The run view of the command line: the two names come from the arguments and
// every message goes to a stream (standard error). There is nothing to enable,
// disable or repaint.
#pragma once

#include <ostream>
#include <string>

#include "taviro/run/run_view.h"

namespace taviro {

class TerminalView final : public RunView {
public:
    TerminalView(std::string source, std::string destination, std::ostream& messages)
        : source_(std::move(source)), destination_(std::move(destination)), messages_(messages) {}

    std::string source_name() const override { return source_; }
    std::string destination_name() const override { return destination_; }
    void set_source_name(const std::string& name) override { source_ = name; }
    void set_destination_name(const std::string& name) override { destination_ = name; }
    void focus_source() override {}

    void warn(std::string_view message) override { messages_ << message << '\n'; }
    void inform(std::string_view message) override { messages_ << message << '\n'; }

    void set_convert_enabled(bool) override {}
    void set_convert_caption(std::string_view) override {}
    void set_browse_enabled(bool) override {}
    void set_exit_enabled(bool) override {}
    void set_busy_indicator(bool) override {}

private:
    std::string source_;
    std::string destination_;
    std::ostream& messages_;
};

}  // namespace taviro
