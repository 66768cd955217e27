// The files of a conversion run in any of the encodings: the source read in a
// named encoding or the one detected, the destination written in UTF-16LE
// (with a byte-order mark) or UTF-8.
#pragma once

#include <cstddef>
#include <fstream>
#include <optional>

#include "taviro/encoding/decoding_source.h"
#include "taviro/encoding/encoding_sink.h"
#include "taviro/run/conversion_run.h"
#include "taviro/run/file_error.h"
#include "taviro/run/replacing_file.h"
#include "taviro/run/run_error.h"

namespace taviro {

class EncodedRunFiles final : public RunFiles {
public:
    // `source_encoding` empty: detect it. `progress` may be null.
    EncodedRunFiles(std::optional<Encoding> source_encoding, Encoding destination_encoding,
                    ReadProgress* progress = nullptr)
        : source_encoding_(source_encoding), destination_encoding_(destination_encoding), progress_(progress) {}

    UnitSource& open_source(const std::filesystem::path& file) override;
    UnitSink& open_destination(const std::filesystem::path& file) override;
    void close() override;
    void abandon() noexcept override;

    // Unpaired surrogates written as U+FFFD into UTF-8.
    std::size_t replacements() const noexcept { return sink_ ? sink_->replacements() : 0; }

private:
    std::optional<Encoding> source_encoding_;
    Encoding destination_encoding_;
    ReadProgress* progress_;
    std::ifstream source_file_;
    std::optional<ReplacingFile> destination_file_;
    std::optional<DecodingSource> source_;
    std::optional<EncodingSink> sink_;
};

}  // namespace taviro
