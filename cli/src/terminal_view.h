// The run view of the command line: the two names come from the arguments and
// every message goes to a stream (standard error). There is nothing to enable,
// disable or repaint.
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "taviro/run/run_view.h"

namespace taviro {

struct TerminalViewOptions {
    bool quiet = false;                    // leave out the completion message; warnings still show
    std::string label;                     // put before every message with ": " when not empty
    std::function<void()> before_message;  // clears a progress line, for one
};

class TerminalView final : public RunView {
public:
    using Options = TerminalViewOptions;

    TerminalView(std::string source, std::string destination, std::ostream& messages, Options options = {})
        : source_(std::move(source)),
          destination_(std::move(destination)),
          messages_(messages),
          options_(std::move(options)) {}

    std::string source_name() const override { return source_; }
    std::string destination_name() const override { return destination_; }
    void set_source_name(const std::string& name) override { source_ = name; }
    void set_destination_name(const std::string& name) override { destination_ = name; }
    void focus_source() override {}

    void warn(std::string_view message) override { show(message); }
    void inform(std::string_view message) override {
        if (!options_.quiet) {
            show(message);
        }
    }

    void set_convert_enabled(bool) override {}
    void set_convert_caption(std::string_view) override {}
    void set_browse_enabled(bool) override {}
    void set_exit_enabled(bool) override {}
    void set_busy_indicator(bool) override {}

private:
    void show(std::string_view message) {
        if (options_.before_message) {
            options_.before_message();
        }
        if (!options_.label.empty()) {
            messages_ << options_.label << ": ";
        }
        messages_ << message << '\n';
    }

    std::string source_;
    std::string destination_;
    std::ostream& messages_;
    Options options_;
};

}  // namespace taviro
