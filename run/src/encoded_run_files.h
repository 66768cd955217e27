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
#include "taviro/convert/unit_sink.h"
#include "taviro/convert/unit_source.h"
#include "taviro/run/conversion_run.h"
#include "taviro/run/descriptor_streams.h"
#include "taviro/run/replacing_file.h"

namespace taviro {

// How a run opens and closes its two files: the windows write UTF-16LE with a
// byte-order mark; the command line writes other encodings too, through the
// same run, with the same checks and outcomes.
class RunFiles {
public:
    virtual ~RunFiles() = default;
    // Opens the source for reading. Throws RunError.
    virtual UnitSource& open_source(const std::filesystem::path& file) = 0;
    // Makes ready to replace the destination, refusing one that could not be
    // written; called only once the source is open. Throws RunError.
    virtual UnitSink& open_destination(const std::filesystem::path& file) = 0;
    // Writes out the rest, puts it in the destination's place and closes both
    // files. Throws RunError: only a close without one means the text is in
    // the destination.
    virtual void close() = 0;
    // After a failure: closes whatever is open, quietly, and drops what was
    // written; the destination stays as it was before the run. Returns, in
    // words, what could not be cleaned up (a temporary file left behind);
    // empty when nothing was.
    virtual std::string abandon() noexcept = 0;
};

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
