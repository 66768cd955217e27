#include "taviro/encoding/encoded_run_files.h"

namespace taviro {

std::string quoted_name(const std::filesystem::path& file) {
    std::string quoted(1, '\'');
    quoted += file.string();
    quoted += '\'';
    return quoted;
}

UnitSource& EncodedRunFiles::open_source(const std::filesystem::path& file) {
    errno = 0;
    source_file_.open(file, std::ios::binary);
    if (!source_file_.is_open()) {
        throw file_error("open", file);
    }
    return source_.emplace(source_file_, source_encoding_, quoted_name(file), progress_);
}

UnitSink& EncodedRunFiles::open_destination(const std::filesystem::path& file) {
    errno = 0;
    destination_file_.open(file, std::ios::binary | std::ios::trunc);
    if (!destination_file_.is_open()) {
        throw file_error("create", file);
    }
    destination_name_ = file;
    return sink_.emplace(destination_file_, destination_encoding_, quoted_name(file));
}

void EncodedRunFiles::close() {
    sink_->finish();
    errno = 0;
    destination_file_.close();
    if (destination_file_.fail()) {
        throw file_error("write", destination_name_);
    }
    source_file_.close();
}

void EncodedRunFiles::abandon() noexcept {
    if (sink_) {
        try {
            sink_->finish();  // what was converted before the failure, as far as it goes
        } catch (const RunError&) {
        }
    }
    destination_file_.close();
    source_file_.close();
}

}  // namespace taviro
