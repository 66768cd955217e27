// The run view: everything a conversion run needs from the window it runs in.
// The main window implements it with widgets, the command line with standard
// error, and tests with a recorder. Names are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace taviro {

inline constexpr std::string_view kInvalidNamesMessage =
    "Please enter valid source and destination unicode text files.";
inline constexpr std::string_view kMissingSourceMessage =
    "File does not Exist. Please enter a valid filename.";
inline constexpr std::string_view kCompletedMessage = "The Transliteration process is complete.";
inline constexpr std::string_view kConvertCaption = "&Convert";
inline constexpr std::string_view kProcessingCaption = "Processing...";

class RunView {
public:
    virtual ~RunView() = default;

    // The two file names as typed.
    virtual std::string source_name() const = 0;
    virtual std::string destination_name() const = 0;
    virtual void set_source_name(const std::string& name) = 0;
    virtual void set_destination_name(const std::string& name) = 0;
    virtual void focus_source() = 0;

    // Modal messages; each returns once the user has dismissed it.
    virtual void warn(std::string_view message) = 0;    // exclamation icon
    virtual void inform(std::string_view message) = 0;  // information icon

    virtual void set_convert_enabled(bool enabled) = 0;
    virtual void set_convert_caption(std::string_view caption) = 0;
    virtual void set_browse_enabled(bool enabled) = 0;  // both Browse buttons
    virtual void set_exit_enabled(bool enabled) = 0;
    // Shows or hides the "please wait" block and label; showing repaints them at
    // once, since the window handles no events until the run ends.
    virtual void set_busy_indicator(bool visible) = 0;
};

}  // namespace taviro
