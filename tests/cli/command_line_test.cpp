// The command line as getopt_long reads it, many lines in one process.

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "taviro/cli/command_line.h"

namespace taviro {
namespace {

struct LineCase {
    const char* name;
    std::vector<const char*> arguments;
    std::string read;  // what parse_command_line made of them, as described()
};

void PrintTo(const LineCase& value, std::ostream* out) { *out << value.name; }

std::string described(const CommandLine& line) {
    std::ostringstream text;
    if (line.quiet) text << "quiet ";
    if (line.verbose) text << "verbose ";
    if (line.loanwords) text << "loanwords ";
    if (line.spoken) text << "spoken ";
    if (line.jobs) text << "jobs=" << *line.jobs << ' ';
    if (line.from) text << "from=" << encoding_name(*line.from) << ' ';
    if (line.to) text << "to=" << encoding_name(*line.to) << ' ';
    if (line.dictionary) text << "dictionary=" << *line.dictionary << ' ';
    if (line.output_folder) text << "folder=" << *line.output_folder << ' ';
    for (const std::string& source : line.sources) text << '[' << source << ']';
    text << " -> [" << line.destination << ']';
    return text.str();
}

class CommandLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(CommandLines, AreReadAsGetoptLongReadsThem) {
    const CommandLine line = parse_command_line(GetParam().arguments);
    ASSERT_EQ(line.action, CommandLine::Action::convert) << line.problem;
    EXPECT_EQ(described(line), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLines,
    ::testing::Values(
        LineCase{"BundledShortOptions", {"-qvj2", "a", "b"}, "quiet verbose jobs=2 [a] -> [b]"},
        LineCase{"BundledValueInTheNextArgument", {"-qj", "3", "a", "b"}, "quiet jobs=3 [a] -> [b]"},
        LineCase{"OptionsAmongTheNames", {"a", "--jobs", "4", "b", "-v"}, "verbose jobs=4 [a] -> [b]"},
        LineCase{"AbbreviatedLongOptions",
                 {"--lo", "--dict=d.mdb", "--fr", "utf-8", "--to=UTF-16LE", "a", "b"},
                 "loanwords from=utf-8 to=utf-16le dictionary=d.mdb [a] -> [b]"},
        LineCase{"SpokenFormsAbbreviated", {"--sp", "--loanwords", "a", "b"}, "loanwords spoken [a] -> [b]"},
        LineCase{"DoubleDashBeforeNamesWithADash", {"-q", "--", "-a.txt", "-v"}, "quiet [-a.txt] -> [-v]"},
        LineCase{"DashAloneIsAName", {"-", "-"}, "[-] -> [-]"},
        LineCase{"FolderAndManySources", {"-o", "out", "x", "y", "z"}, "folder=out [x][y][z] -> []"},
        LineCase{"FolderAttached", {"-oout", "--output-dir=roman", "x"}, "folder=roman [x] -> []"}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace taviro
