#include "encoded_run_files.h"

#include <unistd.h>

#include "taviro/run/file_error.h"
#include "taviro/run/file_names.h"
#include "taviro/convert/run_error.h"

namespace taviro {
namespace {

// Standard input by a name that the file system understands, to learn whether
// it is the destination file.
constexpr const char* kStandardInputFile = "/dev/stdin";

bool is_standard_stream(const std::filesystem::path& file) { return file == kStandardStream; }

}  // namespace

DecodingSource& EncodedRunFiles::open_source(const std::filesystem::path& file) {
    if (is_standard_stream(file)) {
        source_file_name_ = kStandardInputFile;
        return source_.emplace(source_file_.emplace(STDIN_FILENO, "standard input"), options_.source_encoding,
                               "standard input", options_.progress);
    }
    source_file_name_ = file;
    return source_.emplace(source_file_.emplace(file), options_.source_encoding, quoted_name(file),
                           options_.progress);
}

UnitSink& EncodedRunFiles::open_destination(const std::filesystem::path& file) {
    if (is_standard_stream(file)) {
        return sink_.emplace(standard_output_.emplace(STDOUT_FILENO, "standard output"),
                             options_.destination_encoding, "standard output");
    }
    if (is_same_file(source_file_name_.string(), file.string())) {
        throw RunError(quoted_name(file) + " is the source itself");
    }
    if (!options_.protected_file.empty() && is_same_file(options_.protected_file.string(), file.string())) {
        throw RunError(quoted_name(file) + " is the dictionary " + quoted_name(options_.protected_file));
    }
    return sink_.emplace(destination_file_.emplace(file).stream(), options_.destination_encoding, quoted_name(file));
}

void EncodedRunFiles::close() {
    sink_->finish();
    if (destination_file_) {
        destination_file_->commit();
    }
    source_.reset();
    source_file_.reset();
}

std::string EncodedRunFiles::abandon() noexcept {
    sink_.reset();
    std::string leftover = destination_file_ ? destination_file_->discard() : std::string();
    destination_file_.reset();
    source_.reset();
    source_file_.reset();
    return leftover;
}

}  // namespace taviro
