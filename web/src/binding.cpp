// The page's way into the engine: embind functions over one PageEngine that
// holds the default dictionary and the buffers the page writes into and reads
// from. Text crosses as UTF-16 code units in typed arrays over the module's
// memory, so a unit goes in and comes out exactly as it is, lone surrogates
// included, with no UTF-8 round trip on the way.
//
// Every failure comes back as { error: message } rather than as a thrown C++
// exception, which JavaScript could see only as a number.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "taviro/spoken.h"
#include "taviro/convert/character_counter.h"
#include "taviro/convert/chunk_loop.h"
#include "taviro/convert/failure_kind.h"
#include "taviro/convert/lexicon_entry.h"
#include "taviro/convert/quoted_name.h"
#include "taviro/convert/run_error.h"
#include "taviro/encoding/byte_sink.h"
#include "taviro/encoding/decoding_source.h"
#include "taviro/encoding/encoding_sink.h"
#include "taviro/encoding/text_decoding.h"
#include "taviro/engine.h"
#include "taviro/convert/text_conversion.h"
#include "taviro/convert/text_parts.h"
#include "taviro/convert/word_explanation.h"
#include "taviro/convert/word_report.h"

namespace taviro::web {
namespace {

using emscripten::typed_memory_view;
using emscripten::val;

// Offsets fit: the module's memory is far below 4 GB.
constexpr std::uint32_t narrow(std::size_t value) { return static_cast<std::uint32_t>(value); }

// How the page reads a field's number: an offset as it is, a yes or no, an
// index into wordReport().finishes or into wordReport().lexicons.
enum class FieldKind { offset, yes_no, finish, lexicon };
// Their names on the page, in that order.
constexpr std::array<const char*, 4> kKindNames{"offset", "yesNo", "finish", "lexicon"};

// One field of a word's record: its name on the page and its number.
struct WordField {
    const char* name;
    FieldKind kind;
    std::uint32_t (*number)(const PlacedWord&);
};

// The record of a word as the page reads it, a number a field in this order.
// The page takes the names and kinds from wordReport(), so a field is named
// here and nowhere else.
constexpr auto kWordFields = std::to_array<WordField>({
    {"sourceBegin", FieldKind::offset, [](const PlacedWord& word) { return narrow(word.source_begin); }},
    {"sourceEnd", FieldKind::offset, [](const PlacedWord& word) { return narrow(word.source_end); }},
    {"romanBegin", FieldKind::offset, [](const PlacedWord& word) { return narrow(word.roman_begin); }},
    {"romanEnd", FieldKind::offset, [](const PlacedWord& word) { return narrow(word.roman_end); }},
    {"stemBegin", FieldKind::offset, [](const PlacedWord& word) { return narrow(word.stem_begin); }},
    {"stemEnd", FieldKind::offset, [](const PlacedWord& word) { return narrow(word.stem_end); }},
    {"prefix", FieldKind::yes_no, [](const PlacedWord& word) { return std::uint32_t{word.prefix}; }},
    {"suffix", FieldKind::yes_no, [](const PlacedWord& word) { return std::uint32_t{word.suffix}; }},
    {"split", FieldKind::yes_no, [](const PlacedWord& word) { return std::uint32_t{word.split}; }},
    {"lexicon", FieldKind::lexicon,
     [](const PlacedWord& word) { return static_cast<std::uint32_t>(word.lexicon); }},
    {"finish", FieldKind::finish,
     [](const PlacedWord& word) { return static_cast<std::uint32_t>(finish_of(word)); }},
    {"spoken", FieldKind::yes_no, [](const PlacedWord& word) { return std::uint32_t{word.spoken}; }},
    {"spokenKept", FieldKind::yes_no, [](const PlacedWord& word) { return std::uint32_t{word.spoken_kept}; }},
    {"spokenJoin", FieldKind::yes_no, [](const PlacedWord& word) { return std::uint32_t{word.spoken_join}; }},
    {"spokenNasal", FieldKind::yes_no, [](const PlacedWord& word) { return std::uint32_t{word.spoken_nasal}; }},
    {"spokenCluster", FieldKind::yes_no, [](const PlacedWord& word) { return std::uint32_t{word.spoken_cluster}; }},
});

// A JavaScript array of the items given.
template <typename... Items>
val array_of(const Items&... items) {
    val array = val::array();
    (array.call<void>("push", items), ...);
    return array;
}

// embind knows typed arrays of the standard integer types; UTF-16 units go
// out as Uint16Array.
val units_view(std::u16string& text) {
    return val(typed_memory_view(text.size(), reinterpret_cast<const std::uint16_t*>(text.data())));
}

val failure(const std::exception& error) {
    val result = val::object();
    result.set("error", std::string(error.what()));
    result.set("failure", std::string(failure_kind_name(failure_kind(error))));
    return result;
}

val text_value(std::u16string_view text) { return val(std::wstring(text.begin(), text.end())); }

// A word's report as JavaScript has it: its fields in camelCase, its finish by name.
val report_value(const WordReport& report) {
    val pieces = val::array();
    for (const WordPiece& piece : report.pieces) {
        val value = val::object();
        value.set("name", std::string(piece.name));
        value.set("begin", narrow(piece.begin));
        value.set("end", narrow(piece.end));
        value.set("text", text_value(std::u16string_view(report.roman).substr(piece.begin, piece.end - piece.begin)));
        pieces.call<void>("push", value);
    }
    val value = val::object();
    value.set("source", text_value(report.source));
    value.set("roman", text_value(report.roman));
    value.set("ascii", report.ascii ? text_value(*report.ascii) : val::null());
    value.set("sourceBegin", narrow(report.source_begin));
    value.set("sourceEnd", narrow(report.source_end));
    value.set("finish", std::string(finish_wording(report.finish).name));
    value.set("stemBegin", narrow(report.stem_begin));
    value.set("stemEnd", narrow(report.stem_end));
    value.set("pieces", pieces);
    value.set("spoken", report.spoken);
    value.set("explanation", text_value(report.explanation));
    return value;
}

// { units } of a converted text.
val units_result(std::u16string& roman) {
    val result = val::object();
    result.set("units", units_view(roman));
    return result;
}

// The page's dictionary: the embedded rows, the user's own lexicon, which
// the page keeps, and the embedded loanword lexicon while it is switched on,
// as it is with spoken forms.
class PageDictionary final : public MemoryDictionary {
public:
    MemoryDictionary users;      // only its lexicon is used
    MemoryDictionary loanwords;  // only its lexicon is used
    bool loanwords_on = false;

    std::optional<Pronunciation> pronunciation(std::u16string_view units) const override {
        return winning(users.pronunciation(units),
                       writes_loanwords(loanwords_on, spoken_forms()) ? loanwords.pronunciation(units) : std::nullopt);
    }
};

// Each line of `rows`, without its line end.
template <class Take>
void for_each_line(std::u16string_view rows, Take take) {
    std::size_t begin = 0;
    while (begin < rows.size()) {
        const std::size_t end = std::min(rows.find(u'\n', begin), rows.size());
        take(rows.substr(begin, end - begin));
        begin = end + 1;
    }
}

// The engine as the page holds it: its dictionary (the embedded rows, the
// loanwords, the user's lexicon) and the buffers the page writes its text and
// its files' bytes into and reads the results from. It keeps no files and no
// threads; the worker that owns it keeps the page responsive.
class PageEngine {
public:
    // Takes the input as the rows of the default dictionary, one a line.
    // Returns how many the dictionary holds.
    std::size_t load_words() {
        memory_.reset();
        for_each_line(input_, [this](std::u16string_view row) { dictionary_.add(row); });
        input_.clear();
        return dictionary_.size();
    }

    // Takes the input as the loanword lexicon, "WORD<tab>ROMAN" a line and
    // "<tab>ENGLISH" after an entry plain letters spell in English, as the
    // build wrote it from words.mdb. Returns how many entries it holds.
    std::size_t load_loanwords() {
        memory_.reset();
        for_each_line(input_, [this](std::u16string_view line) {
            const std::size_t tab = line.find(u'\t');
            if (tab == std::u16string_view::npos) return;
            const std::u16string_view word = line.substr(0, tab);
            const std::u16string_view rest = line.substr(tab + 1);
            const std::size_t second_tab = rest.find(u'\t');
            dictionary_.loanwords.pronounce(word, rest.substr(0, second_tab), Lexicon::loanword);
            if (second_tab != std::u16string_view::npos) {
                dictionary_.loanwords.spell(word, rest.substr(second_tab + 1));
            }
        });
        input_.clear();
        return dictionary_.loanwords.pronunciations();
    }

    // Takes the input as the user's lexicon, checked as taviro-dict import
    // checks a file, in place of the one before, with the loanword and the
    // spoken forms' switches and the scheme's name; { entries, problems }, or
    // { error } for a name that is no scheme, which changes nothing.
    val set_lexicon(bool loanwords_on, bool spoken_on, const std::string& scheme_name) {
        const std::optional<Scheme> scheme = scheme_named(scheme_name);
        if (!scheme) return failure(std::invalid_argument(unknown_scheme(quoted_name(scheme_name), "scheme")));
        memory_.reset();
        dictionary_.write({writes_spoken_forms(spoken_on, *scheme), *scheme});
        const ParsedLexicon parsed = parse_lexicon(input_, "line");
        dictionary_.users = MemoryDictionary();
        for (const LexiconEntry& entry : parsed.entries) {
            dictionary_.users.pronounce(entry.word, entry.roman, Lexicon::user);
        }
        dictionary_.loanwords_on = loanwords_on;
        input_.clear();
        val problems = val::array();
        for (const std::string& problem : parsed.problems) problems.call<void>("push", problem);
        val result = val::object();
        result.set("entries", dictionary_.users.pronunciations());
        result.set("problems", problems);
        return result;
    }

    // Room for `count` units of text to convert; the page fills it. Made
    // afresh, so that a long text's room goes back once a short one comes.
    val input_units(std::size_t count) {
        input_ = std::u16string(count, u'\0');
        return units_view(input_);
    }

    // Room for `count` bytes of a file; the page fills it.
    val input_bytes(std::size_t count) {
        // Not cleared first: the page fills every byte.
        file_.reset(new char[count]);
        file_size_ = count;
        return val(typed_memory_view(file_size_, reinterpret_cast<const std::uint8_t*>(file_.get())));
    }

    // Decodes the file's bytes as taviro-convert reads a source: by its
    // byte-order mark or its first bytes. The text becomes the input.
    // The encoding a file's bytes are read in: nothing for "auto", which
    // detects it; std::invalid_argument with the one sentence for a name that
    // is none, as the command line and Python refuse it.
    static std::optional<Encoding> source_encoding(const std::string& from) {
        const EncodingChoice chosen = read_source_encoding(from, quoted_name(from), "from");
        if (!chosen.problem.empty()) throw std::invalid_argument(chosen.problem);
        return chosen.encoding;
    }

    // `refuse_empty`: a face that opens files for a person refuses an empty one.
    val read_file(const std::string& name, const std::string& from, bool refuse_empty) {
        try {
            if (refuse_empty && file_size_ == 0) throw RunError(empty_file_refusal(quoted_name(name)));
            DecodedText text = decode_text(file_bytes(), quoted_name(name), source_encoding(from));
            file_.reset();
            input_ = std::move(text.units);
            val result = val::object();
            result.set("encoding", std::string(encoding_name(text.encoding)));
            result.set("units", units_view(input_));
            return result;
        } catch (const std::exception& error) {
            return failure(error);
        }
    }

    // Converts the input; { units, words, wordCount, explanations… } or
    // { error }. A text of more than `most_words` words comes without its
    // words' rows and explanations, which would outgrow its text many times;
    // the explanations come only when `explained` (the page's word details:
    // reports() words them for the package's explain()).
    val convert(std::uint32_t most_words, bool explained) {
        try {
            output_ = std::u16string();
            converted_ = convert_text_with_words(input_, dictionary_, most_words);
            report_.clear();
            report_.reserve(converted_.words.size() * kWordFields.size());
            for (const PlacedWord& word : converted_.words) {
                for (const WordField& field : kWordFields) report_.push_back(field.number(word));
            }
            val result = val::object();
            result.set("units", units_view(converted_.text));
            result.set("words", val(typed_memory_view(report_.size(), report_.data())));
            result.set("wordCount", narrow(converted_.word_count));
            if (explained) set_explanations(result);
            return result;
        } catch (const std::exception& error) {
            return failure(error);
        }
    }

    // Converts the input as taviro-convert --to utf-8 writes it, line ends a
    // line feed, without a report of its words; { units } or { error }.
    val transliterate() {
        try {
            output_ = convert_text(input_, memory());
            input_ = std::u16string();
            return units_result(output_);
        } catch (const std::exception& error) {
            return failure(error);
        }
    }

    // Room for the lengths of the parts the input comes in; the caller fills it.
    val input_part_lengths(std::size_t count) {
        part_lengths_.assign(count, 0);
        return val(typed_memory_view(part_lengths_.size(), part_lengths_.data()));
    }

    // Converts the input, which comes in parts of the lengths given, as one
    // text, and divides its Roman text into as many parts: { units, ends },
    // the Roman text and where each of its parts ends, or { error }.
    val convert_parts() {
        try {
            std::vector<std::u16string_view> parts;
            parts.reserve(part_lengths_.size());
            std::size_t at = 0;
            for (const std::uint32_t length : part_lengths_) {
                if (length > input_.size() - at) throw std::invalid_argument("the parts are longer than the text");
                parts.push_back(std::u16string_view(input_).substr(at, length));
                at += length;
            }
            output_.clear();
            part_ends_.clear();
            for (const std::u16string& part : convert_text_in_parts(parts, memory())) {
                output_ += part;
                part_ends_.push_back(narrow(output_.size()));
            }
            val result = units_result(output_);
            result.set("ends", val(typed_memory_view(part_ends_.size(), part_ends_.data())));
            return result;
        } catch (const std::exception& error) {
            return failure(error);
        }
    }

    // The dictionary, for a TextStream over it.
    const Dictionary& dictionary() const noexcept { return dictionary_; }

    // The report of each word of the last conversion, as Python's
    // finish_details and taviro-dict explain give it, field for field:
    // [{ source, roman, ascii, sourceBegin, sourceEnd, finish, stemBegin,
    // stemEnd, pieces: [{ name, begin, end, text }], spoken, explanation }].
    val reports() const {
        val reports = val::array();
        for (const PlacedWord& word : converted_.words) {
            reports.call<void>("push", report_value(report_word(word, input_, converted_.text)));
        }
        return reports;
    }

    // The file's bytes, as inputBytes() took them, converted into the bytes
    // taviro-convert writes for them, as it does: read, converted and written
    // a block at a time, without the Roman text crossing to JavaScript and
    // back. "utf-8" without a byte-order mark and with LF line ends, or
    // "utf-16le" with the mark and CR LF, as the desktop writes. `name` is the
    // file's, for messages. { bytes } or { error }.
    val convert_file_to(const std::string& name, const std::string& from, const std::string& encoding) {
        try {
            const std::optional<Encoding> source_encoding_named = source_encoding(from);
            const EncodingChoice chosen = read_destination_encoding(encoding, quoted_name(encoding), "to");
            if (!chosen.problem.empty()) throw std::invalid_argument(chosen.problem);
            ViewByteSource file(file_bytes());
            DecodingSource source(file, source_encoding_named, quoted_name(name));
            bytes_ = std::string();
            bytes_.reserve(file_size_ + file_size_ / 4);
            StringByteSink sink(bytes_);
            EncodingSink encoder(sink, *chosen.encoding, "the text");
            convert_units(source, encoder, dictionary_);
            encoder.finish();
            file_.reset();
        } catch (const std::exception& error) {
            file_.reset();
            bytes_ = std::string();
            return failure(error);
        }
        val result = val::object();
        result.set("bytes", val(typed_memory_view(bytes_.size(), reinterpret_cast<const std::uint8_t*>(bytes_.data()))));
        return result;
    }

private:
    // Every word's explanation in its segments, for the page to style:
    // { explanations: units of every segment one after the other,
    //   segmentEnds: where each segment ends in them, segmentKinds: what
    //   each is (ExplanationSegment::Kind), wordSegments: where each word's
    //   segments end }, in the words' order.
    void set_explanations(val& result) {
        explained_.clear();
        segment_ends_.clear();
        segment_kinds_.clear();
        word_segments_.clear();
        for (const PlacedWord& word : converted_.words) {
            for (const ExplanationSegment& segment : explanation_segments(word, input_, converted_.text)) {
                explained_ += segment.text;
                segment_ends_.push_back(narrow(explained_.size()));
                segment_kinds_.push_back(static_cast<std::uint8_t>(segment.kind));
            }
            word_segments_.push_back(narrow(segment_ends_.size()));
        }
        result.set("explanations", units_view(explained_));
        result.set("segmentEnds", val(typed_memory_view(segment_ends_.size(), segment_ends_.data())));
        result.set("segmentKinds", val(typed_memory_view(segment_kinds_.size(), segment_kinds_.data())));
        result.set("wordSegments", val(typed_memory_view(word_segments_.size(), word_segments_.data())));
    }

    std::string_view file_bytes() const noexcept { return {file_.get(), file_size_}; }

    // The words the texts converted so far met, so that many short texts
    // (the lines a program sends one by one, a page's paragraphs) cost what
    // one long one does; forgotten when the dictionary changes.
    WordMemory& memory() {
        if (!memory_) memory_.emplace(dictionary_);
        return *memory_;
    }

    PageDictionary dictionary_;
    std::unique_ptr<char[]> file_;  // a file's bytes, as the page gave them
    std::size_t file_size_ = 0;
    std::string bytes_;             // the bytes convertFileTo() wrote
    std::u16string input_;
    ConvertedText converted_;
    std::vector<std::uint32_t> report_;
    std::u16string explained_;
    std::vector<std::uint32_t> segment_ends_;
    std::vector<std::uint8_t> segment_kinds_;
    std::vector<std::uint32_t> word_segments_;
    std::u16string output_;
    std::vector<std::uint32_t> part_lengths_;
    std::vector<std::uint32_t> part_ends_;
    std::optional<WordMemory> memory_;  // memory()
};

// A conversion in pieces: each take() converts the words that the units given
// end, and keeps the word cut by their end, as the read loop of a file run
// carries it from block to block, so that the pieces' Roman texts one after
// the other are the whole text's, wherever the pieces end. Line ends are line
// feeds, as in PageEngine::transliterate(). It converts over the engine's
// dictionary, which must outlive it.
class TextStream {
public:
    explicit TextStream(const PageEngine& engine) : memory_(engine.dictionary()), loop_(sink_, memory_) {}

    // Room for `count` units of the next piece; the caller fills it.
    val input_units(std::size_t count) {
        input_.assign(count, u'\0');
        return units_view(input_);
    }

    // { units } of the Roman text of the words the piece ended, or { error }.
    val take() {
        return step([this] { loop_.take(input_); });
    }

    // { units } of the last word's Roman text, or { error }.
    val end() {
        return step([this] { loop_.end_of_input(); });
    }

    // How many words the pieces so far have ended.
    std::uint32_t word_count() const { return narrow(loop_.counts().words); }

private:
    template <class Step>
    val step(Step run) {
        try {
            run();
            output_ = sink_.take();
            return units_result(output_);
        } catch (const std::exception& error) {
            return failure(error);
        }
    }

    MemoryUnitSink sink_;
    WordMemory memory_;
    ChunkLoop loop_;
    std::u16string input_;
    std::u16string output_;
};

// A download written piece by piece, as taviro-convert writes a destination,
// so that a long result never lies in the module whole: each write() gives
// the bytes its piece made, finish() the rest.
class FileEncoder {
public:
    // An encoding the writer does not know is told by the first write().
    explicit FileEncoder(const std::string& encoding)
        : choice_(read_destination_encoding(encoding, quoted_name(encoding), "to")) {
        if (choice_.problem.empty()) encoder_.emplace(sink_, *choice_.encoding, "the text");
    }

    // Room for `count` units of the next piece, line ends LF as the engine writes them; the caller fills it.
    val input_units(std::size_t count) {
        input_.assign(count, u'\0');
        return units_view(input_);
    }

    // { bytes } of the piece, or { error }.
    val write() {
        return step([this] { encoder_->write(input_); });
    }

    // { bytes } of what the writer held back, or { error }.
    val finish() {
        return step([this] { encoder_->finish(); });
    }

private:
    template <class Step>
    val step(Step run) {
        try {
            if (!encoder_) throw std::invalid_argument(choice_.problem);
            bytes_.clear();
            run();
            val result = val::object();
            result.set("bytes",
                       val(typed_memory_view(bytes_.size(), reinterpret_cast<const std::uint8_t*>(bytes_.data()))));
            return result;
        } catch (const std::exception& error) {
            return failure(error);
        }
    }

    EncodingChoice choice_;
    std::string bytes_;
    StringByteSink sink_{bytes_};
    std::optional<EncodingSink> encoder_;
    std::u16string input_;
};

// The engine's character map, row by row: [code point, Roman text].
val character_map_rows() {
    val rows = val::array();
    for (const MapRow& row : shown_character_map()) {
        rows.call<void>("push",
                        array_of(static_cast<unsigned>(row.code_point), std::wstring(row.roman.begin(), row.roman.end())));
    }
    return rows;
}

// Where a piece begins or ends, named as the page names a word's fields, in
// the order of PieceMark.
constexpr std::array<const char*, 4> kMarkNames{"wordBegin", "stemBegin", "stemEnd", "wordEnd"};

// The wording of each Finish, by its number: { name, how, pieces: [[name,
// from, to]] }, so that the page says what taviro-dict explain and Python say.
val finish_wordings() {
    val finishes = val::array();
    for (std::size_t finish = 0; finish < kFinishes; ++finish) {
        const FinishWording& wording = finish_wording(static_cast<Finish>(finish));
        val pieces = val::array();
        for (const PieceWording& piece : wording.pieces) {
            pieces.call<void>("push", array_of(std::string(piece.name), std::string(kMarkNames[std::size_t(piece.begin)]),
                                               std::string(kMarkNames[std::size_t(piece.end)])));
        }
        val entry = val::object();
        entry.set("name", std::string(wording.name));
        entry.set("how", std::string(wording.sentence));
        entry.set("pieces", pieces);
        finishes.call<void>("push", entry);
    }
    return finishes;
}

// What the page needs to read a word's record and its explanation: { fields:
// [[name, kind]] in the record's order, finishes, lexicons: the name of each
// Lexicon by its number, null for none, segmentKinds: the name of each
// ExplanationSegment::Kind by its number }.
val word_report() {
    val fields = val::array();
    for (const WordField& field : kWordFields) {
        fields.call<void>("push", array_of(std::string(field.name), std::string(kKindNames[std::size_t(field.kind)])));
    }
    val lexicons = val::array();
    lexicons.set(static_cast<unsigned>(Lexicon::none), val::null());
    lexicons.set(static_cast<unsigned>(Lexicon::loanword), std::string("loanword"));
    lexicons.set(static_cast<unsigned>(Lexicon::user), std::string("user"));
    val result = val::object();
    result.set("fields", fields);
    result.set("finishes", finish_wordings());
    result.set("lexicons", lexicons);
    val segment_kinds = val::array();
    for (const char* kind : {"gurmukhi", "roman", "piece", "words"}) segment_kinds.call<void>("push", std::string(kind));
    result.set("segmentKinds", segment_kinds);
    return result;
}

// What the page shows of a failure of the text or the file `name` (empty for
// a typed text), whose message and kind a TaviroError carries.
std::string shown_failure(const std::string& message, const std::string& kind, const std::string& name) {
    const FailureKind known = failure_kind_named(kind).value_or(FailureKind::usage);
    return told_to_a_person(message, known, name.empty() ? std::string() : quoted_name(name));
}

// What the page shows when the browser could not read the file `name`.
std::string read_failure(const std::string& name, const std::string& reason) {
    return cannot("read", quoted_name(name), reason);
}

val markers() {
    val result = val::object();
    result.set("doubling", std::wstring(kDoublingMarker.begin(), kDoublingMarker.end()));
    result.set("noConversion", std::wstring(kNoConversionMarker.begin(), kNoConversionMarker.end()));
    return result;
}

// The marks a table of the map shows in place of the markers, in the order
// its notes list them: [[mark, marker]], as the desktop's table picture has
// them; a mark no row shows is left out.
val table_marks() {
    val marks = val::array();
    for (const TableMark& mark : kTableMarks) {
        if (!table_shows(mark)) continue;
        marks.call<void>("push", array_of(std::wstring(mark.mark.begin(), mark.mark.end()),
                                          std::wstring(mark.marker.begin(), mark.marker.end())));
    }
    return marks;
}

}  // namespace
}  // namespace taviro::web

EMSCRIPTEN_BINDINGS(taviro) {
    using taviro::web::PageEngine;
    emscripten::class_<PageEngine>("PageEngine")
        .constructor<>()
        .function("loadWords", &PageEngine::load_words)
        .function("loadLoanwords", &PageEngine::load_loanwords)
        .function("setLexicon", &PageEngine::set_lexicon)
        .function("inputUnits", &PageEngine::input_units)
        .function("inputBytes", &PageEngine::input_bytes)
        .function("readFile", &PageEngine::read_file)
        .function("convert", &PageEngine::convert)
        .function("reports", &PageEngine::reports)
        .function("transliterate", &PageEngine::transliterate)
        .function("inputPartLengths", &PageEngine::input_part_lengths)
        .function("convertParts", &PageEngine::convert_parts)
        .function("convertFileTo", &PageEngine::convert_file_to);
    emscripten::class_<taviro::web::TextStream>("TextStream")
        .constructor<const PageEngine&>()
        .function("inputUnits", &taviro::web::TextStream::input_units)
        .function("take", &taviro::web::TextStream::take)
        .function("end", &taviro::web::TextStream::end)
        .function("wordCount", &taviro::web::TextStream::word_count);
    emscripten::class_<taviro::web::FileEncoder>("FileEncoder")
        .constructor<const std::string&>()
        .function("inputUnits", &taviro::web::FileEncoder::input_units)
        .function("write", &taviro::web::FileEncoder::write)
        .function("finish", &taviro::web::FileEncoder::finish);
    emscripten::function("characterMap", &taviro::web::character_map_rows);
    emscripten::function("markers", &taviro::web::markers);
    emscripten::function("tableMarks", &taviro::web::table_marks);
    emscripten::function("wordReport", &taviro::web::word_report);
    emscripten::function("shownFailure", &taviro::web::shown_failure);
    emscripten::function("readFailure", &taviro::web::read_failure);
}
