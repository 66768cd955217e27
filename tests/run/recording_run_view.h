// A run view that records every call as one line of text, in order, so a test
// can compare the whole conversation of a run with what it expects.
#pragma once

#include <string>
#include <vector>

#include "taviro/run/run_view.h"

namespace taviro::testing {

class RecordingRunView final : public RunView {
public:
    RecordingRunView(std::string source, std::string destination)
        : source_(std::move(source)), destination_(std::move(destination)) {}

    std::string source_name() const override { return source_; }
    std::string destination_name() const override { return destination_; }
    void set_source_name(const std::string& name) override {
        source_ = name;
        events.push_back("source=" + name);
    }
    void set_destination_name(const std::string& name) override {
        destination_ = name;
        events.push_back("destination=" + name);
    }
    void focus_source() override { events.push_back("focus source"); }
    void warn(std::string_view message) override { events.push_back("warn " + std::string(message)); }
    void inform(std::string_view message) override { events.push_back("inform " + std::string(message)); }
    void set_convert_enabled(bool enabled) override { events.push_back(switched("convert", enabled)); }
    void set_convert_caption(std::string_view caption) override {
        events.push_back("caption " + std::string(caption));
    }
    void set_browse_enabled(bool enabled) override { events.push_back(switched("browse", enabled)); }
    void set_exit_enabled(bool enabled) override { events.push_back(switched("exit", enabled)); }
    void set_busy_indicator(bool visible) override {
        events.push_back(visible ? "busy shown" : "busy hidden");
    }

    // A later run in the same window: new names, a fresh record.
    void type_names(std::string source, std::string destination) {
        source_ = std::move(source);
        destination_ = std::move(destination);
        events.clear();
    }

    std::vector<std::string> events;

private:
    static std::string switched(const std::string& control, bool enabled) {
        return control + (enabled ? " enabled" : " disabled");
    }

    std::string source_;
    std::string destination_;
};

}  // namespace taviro::testing
