// The files of a conversion run in any of the encodings: the source read in a
// named encoding or the one detected, the destination written in UTF-16LE
// (with a byte-order mark) or UTF-8.
//
// The name "-" stands for standard input as the source and standard output as
// the destination. A destination that is the source itself, or the protected
// file (the dictionary), is refused when it is opened, before anything is
// written: replacing it would lose it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

#include "taviro/encoding/decoding_source.h"
#include "taviro/encoding/encoding_sink.h"
#include "taviro/run/conversion_run.h"
#include "taviro/run/descriptor_streams.h"
#include "taviro/run/replacing_file.h"

namespace taviro {

inline constexpr std::string_view kStandardStream = "-";

struct EncodedFilesOptions {
    std::optional<Encoding> source_encoding;  // empty: detect it
    Encoding destination_encoding = Encoding::utf16le;
    ReadProgress progress;
    std::filesystem::path protected_file;  // never a destination, when named
};

class EncodedRunFiles final : public RunFiles {
public:
    explicit EncodedRunFiles(EncodedFilesOptions options) : options_(std::move(options)) {}

    // The source as the run reads it, which also tells the encoding it was read in.
    DecodingSource& open_source(const std::filesystem::path& file) override;
    UnitSink& open_destination(const std::filesystem::path& file) override;
    void close() override;
    std::string abandon() noexcept override;

    // Unpaired surrogates written as U+FFFD into UTF-8.
    std::size_t replacements() const noexcept { return sink_ ? sink_->replacements() : 0; }

private:
    EncodedFilesOptions options_;
    std::filesystem::path source_file_name_;  // for the check that the destination is not the source
    std::optional<InputFile> source_file_;
    std::optional<OutputDescriptor> standard_output_;
    std::optional<ReplacingFile> destination_file_;
    std::optional<DecodingSource> source_;
    std::optional<EncodingSink> sink_;
};

}  // namespace taviro
