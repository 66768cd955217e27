#include <gtest/gtest.h>

#include "taviro/cli/progress_bar.h"

namespace taviro {
namespace {

struct LineCase {
    const char* name;
    std::uint64_t done;
    std::optional<std::uint64_t> total;
    double seconds;
    std::string line;
};

void PrintTo(const LineCase& value, std::ostream* out) {
    *out << value.name;
}

class ProgressLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ProgressLine, ShowsBytesRateAndTimeLeft) {
    EXPECT_EQ(progress_line(GetParam().done, GetParam().total, std::chrono::duration<double>(GetParam().seconds)),
              GetParam().line);
}

constexpr std::uint64_t kMiB = 1 << 20;

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgressLine,
    ::testing::Values(
        LineCase{"KnownTotal", 3 * kMiB, 12 * kMiB, 2.0,
                 "  3.0 MiB / 12.0 MiB [#####...............] 25%  1.5 MiB/s  0:06 left"},
        LineCase{"UnknownTotalHasNoTimeLeft", 1536, std::nullopt, 1.0, "  1.5 KiB  1.5 KiB/s"},
        LineCase{"LongTimesShowHours", kMiB, 4000 * kMiB, 1.0,
                 "  1.0 MiB / 3.9 GiB [....................] 0%  1.0 MiB/s  1:06:39 left"},
        LineCase{"MoreThanTheTotalStaysAtTheEnd", 2 * kMiB, kMiB, 1.0,
                 "  2.0 MiB / 1.0 MiB [####################] 100%  2.0 MiB/s"}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace taviro
