// What taviro-convert does with its names once the command line is read:
//  - two file names: the Convert run of the windows, with its checks and
//    renaming, the source in any encoding (detected unless named), the
//    destination UTF-16LE with a byte-order mark unless --to says otherwise;
//    a destination that is a folder gets the source's own name in it, as cp
//    does;
//  - "-" for either name: standard input or output, streamed; the windows'
//    checks on names do not apply, but a file is never both source and
//    destination;
//  - -o FOLDER: the Convert run for every source, each into FOLDER under the
//    source's own name; one failure does not stop the others, but two sources
//    that would land on one name are refused before anything is converted.
//
// It speaks as terminal tools do: nothing on success, one line on standard
// error for each failure ("taviro-convert: 'notes.txt': No such file or
// directory") or warning, a line on each completed run with --verbose. The
// windows' sentences for the outcomes are theirs alone. The progress line
// goes to standard error too, when it is a terminal.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "taviro/cli/command_line.h"
#include "taviro/engine.h"
#include "taviro/encoding/read_progress.h"
#include "taviro/run/conversion_run.h"
#include "taviro/terminal/exit_status.h"

namespace taviro {

class CommandLineRuns {
public:
    // `dictionary_file` is where `dictionary` was read from; no run writes over it.
    CommandLineRuns(const CommandLine& line, const Dictionary& dictionary, std::filesystem::path dictionary_file,
              std::ostream& messages);

    ExitStatus convert_files(const std::string& source, const std::string& destination);
    ExitStatus convert_streams(const std::string& source, const std::string& destination);
    ExitStatus convert_into_folder(const std::vector<std::string>& sources, const std::string& folder);

private:
    // How a run's names show in its messages: "'notes.txt'", "standard input".
    struct ShownNames {
        std::string source;
        std::string destination;
        Encoding destination_encoding;
        std::string label;  // with -o, the source, named in every line unless the line names it
    };

    // `into_folder` as in FileRunOptions: off once the name in the folder is chosen.
    ExitStatus convert_file(const std::string& source, const std::string& destination, const std::string& label,
                            bool into_folder);
    FileRunOptions run_options(Encoding destination_encoding, ReadProgress progress) const;
    ExitStatus report(const FileRunResult& result, const ShownNames& names);
    void say(const std::string& label, const std::string& text);

    const CommandLine& line_;
    const Dictionary& dictionary_;
    std::filesystem::path dictionary_file_;
    std::ostream& messages_;
    bool show_progress_;
    unsigned threads_;  // 1: the sequential read loop
};

}  // namespace taviro
