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
    void set_destination_name(const std::string& name) override {
        destination_ = name;
        events.push_back("destination=" + name);
    }
    void clear_names() override {
        source_.clear();
        destination_.clear();
        events.push_back("names cleared");
    }
    void warn(std::string_view message, std::string_view reason) override {
        events.push_back("warn " + std::string(message));
        reasons.emplace_back(reason);
    }
    void inform(std::string_view message) override { events.push_back("inform " + std::string(message)); }
    void set_busy(bool busy) override { events.push_back(busy ? "busy" : "idle"); }

    // A later run in the same window: new names, a fresh record.
    void type_names(std::string source, std::string destination) {
        source_ = std::move(source);
        destination_ = std::move(destination);
        events.clear();
        reasons.clear();
    }

    std::vector<std::string> events;
    std::vector<std::string> reasons;  // of the warnings, in order

private:
    std::string source_;
    std::string destination_;
};

}  // namespace taviro::testing
