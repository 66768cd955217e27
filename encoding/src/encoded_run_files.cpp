#include "taviro/encoding/encoded_run_files.h"

#include <cerrno>
#include <iostream>

#include "taviro/run/file_error.h"
#include "taviro/run/file_names.h"
#include "taviro/run/run_error.h"

namespace taviro {
namespace {

// Standard input by a name that the file system understands, to learn whether
// it is the destination file.
constexpr const char* kStandardInputFile = "/dev/stdin";

bool is_standard_stream(const std::filesystem::path& file) { return file == kStandardStream; }

}  // namespace

UnitSource& EncodedRunFiles::open_source(const std::filesystem::path& file) {
    if (is_standard_stream(file)) {
        source_file_name_ = kStandardInputFile;
        return source_.emplace(std::cin, options_.source_encoding, "standard input", options_.progress);
    }
    errno = 0;
    source_file_.open(file, std::ios::binary);
    if (!source_file_.is_open()) {
        throw file_error("open", file);
    }
    source_file_name_ = file;
    return source_.emplace(source_file_, options_.source_encoding, quoted_name(file), options_.progress);
}

UnitSink& EncodedRunFiles::open_destination(const std::filesystem::path& file) {
    if (is_standard_stream(file)) {
        return sink_.emplace(std::cout, options_.destination_encoding, "standard output");
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
    source_file_.close();
}

void EncodedRunFiles::abandon() noexcept {
    sink_.reset();
    destination_file_.reset();
    source_file_.close();
}

}  // namespace taviro
