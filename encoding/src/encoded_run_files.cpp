#include "taviro/encoding/encoded_run_files.h"

namespace taviro {

UnitSource& EncodedRunFiles::open_source(const std::filesystem::path& file) {
    errno = 0;
    source_file_.open(file, std::ios::binary);
    if (!source_file_.is_open()) {
        throw file_error("open", file);
    }
    return source_.emplace(source_file_, source_encoding_, quoted_name(file), progress_);
}

UnitSink& EncodedRunFiles::open_destination(const std::filesystem::path& file) {
    return sink_.emplace(destination_file_.emplace(file).stream(), destination_encoding_, quoted_name(file));
}

void EncodedRunFiles::close() {
    sink_->finish();
    destination_file_->commit();
    source_file_.close();
}

void EncodedRunFiles::abandon() noexcept {
    sink_.reset();
    destination_file_.reset();
    source_file_.close();
}

}  // namespace taviro
