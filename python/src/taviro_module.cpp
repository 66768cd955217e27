// taviro._taviro: the engine and the read loop for Python. The package taviro
// (python/taviro/__init__.py) checks Python's arguments and says where it is
// installed; everything that decides a result or words one happens here, in
// run/, convert/ and engine/, so Python gets the bytes the command line writes.
//
// Every conversion lets go of the GIL: one Transliterator is only read once it
// is loaded, so threads can share it and convert side by side.

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <exception>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "taviro/convert/quoted_name.h"
#include "taviro/encoding/encoding.h"
#include "taviro/encoding/encoding_sink.h"
#include "taviro/engine.h"
#include "taviro/run/conversion_run.h"
#include "taviro/run/parallel_conversion.h"
#include "taviro/convert/chunk_loop.h"
#include "taviro/convert/run_error.h"
#include "taviro/convert/separator.h"
#include "taviro/convert/text_conversion.h"
#include "taviro/convert/unit_sink.h"
#include "taviro/convert/word_explanation.h"
#include "taviro/convert/word_report.h"
#include "taviro/convert/word_memory.h"
#include "taviro/run/word_store.h"

namespace py = pybind11;

namespace {

// Python counts a text in code points, the rules in UTF-16 units; the two part
// only after a character beyond the Basic Multilingual Plane.
class CodePointIndex {
public:
    explicit CodePointIndex(std::u16string_view text) {
        std::size_t points = 0;
        for (std::size_t unit = 0; unit < text.size(); ++unit) {
            const bool second_half =
                unit > 0 && taviro::is_high_surrogate(text[unit - 1]) && taviro::is_low_surrogate(text[unit]);
            if (second_half && points_.empty()) {
                points_.resize(unit);
                for (std::size_t earlier = 0; earlier < unit; ++earlier) {
                    points_[earlier] = earlier;
                }
            }
            if (!points_.empty()) {
                points_.push_back(points);
            }
            points += second_half ? 0 : 1;
        }
        if (!points_.empty()) {
            points_.push_back(points);
        }
    }

    std::size_t operator()(std::size_t unit) const { return points_.empty() ? unit : points_[unit]; }

private:
    std::vector<std::size_t> points_;  // empty while every unit is a code point of its own
};

std::size_t code_points(std::u16string_view text) { return CodePointIndex(text)(text.size()); }

// A text of a list as messages name it: by its label, the repr of a pandas
// index value, when the caller gives one, else by its place in the list.
std::string text_named(std::size_t at, const std::vector<std::string>& labels) {
    return at < labels.size() ? "the value at index " + labels[at] : "text " + std::to_string(at) + " of the list";
}

std::string type_name(py::handle value) { return py::str(py::type::of(value).attr("__name__")); }

// A Python text as UTF-16 units, every unit as it is: a lone surrogate, which a
// str may hold, is no Gurmukhi letter, and passes through the conversion like
// any other. Anything but a str is refused with a TypeError that names its type,
// instead of pybind11's "incompatible function arguments", which names none.
std::u16string units_of(py::handle text) {
    if (!py::isinstance<py::str>(text)) {
        throw py::type_error("text must be str, not " + type_name(text));
    }
    const auto bytes = py::reinterpret_steal<py::bytes>(PyUnicode_AsEncodedString(text.ptr(), "utf-16-le", "surrogatepass"));
    if (!bytes) throw py::error_already_set();
    const std::string_view raw(PyBytes_AS_STRING(bytes.ptr()), static_cast<std::size_t>(PyBytes_GET_SIZE(bytes.ptr())));
    std::u16string units(raw.size() / 2, u'\0');
    std::memcpy(units.data(), raw.data(), 2 * units.size());
    return units;
}

// UTF-16 units as a str, a lone surrogate kept: pybind11's own conversion
// refuses one.
py::str text_of(std::u16string_view units) {
    int little_endian = -1;
    PyObject* text = PyUnicode_DecodeUTF16(reinterpret_cast<const char*>(units.data()),
                                           static_cast<Py_ssize_t>(2 * units.size()), "surrogatepass", &little_endian);
    if (!text) throw py::error_already_set();
    return py::reinterpret_steal<py::str>(text);
}

// A word's report as Python sees it: convert/'s record, its places counted in
// code points, as a str is indexed. Nothing about a word is decided here.
taviro::WordReport in_code_points(taviro::WordReport report, const CodePointIndex& in_source) {
    const CodePointIndex in_roman(report.roman);
    report.source_begin = in_source(report.source_begin);
    report.source_end = in_source(report.source_end);
    report.stem_begin = in_roman(report.stem_begin);
    report.stem_end = in_roman(report.stem_end);
    for (taviro::WordPiece& piece : report.pieces) {
        piece.begin = in_roman(piece.begin);
        piece.end = in_roman(piece.end);
    }
    return report;
}

std::string finish_name(const taviro::WordReport& report) {
    return std::string(taviro::finish_wording(report.finish).name);
}

py::object ascii_of(const taviro::WordReport& report) {
    return report.ascii ? py::object(text_of(*report.ascii)) : py::none();
}

// The fields in their order, as a report pickles: the order of the named
// tuple it once was, so that pickles of every version load.
py::tuple fields_of(const taviro::WordReport& word) {
    return py::make_tuple(text_of(word.source), text_of(word.roman), word.source_begin, word.source_end,
                          finish_name(word), word.stem_begin, word.stem_end, text_of(word.explanation), word.spoken,
                          ascii_of(word));
}

// A report from its pickled fields: eight before a word said whether it was
// spoken, nine before plain letters; pickles of a FinishedWord, its older
// name, load too. Its pieces follow from its finish and stem, as they did.
taviro::WordReport from_fields(const py::tuple& fields) {
    if (fields.size() < 8 || fields.size() > 10) {
        throw std::runtime_error("a WordReport has eight to ten fields");
    }
    const auto finish = taviro::finish_named(fields[4].cast<std::string>());
    if (!finish) throw std::runtime_error("a WordReport's finish is none of the finishes");
    taviro::WordReport report;
    report.source = units_of(fields[0]);
    report.roman = units_of(fields[1]);
    report.source_begin = fields[2].cast<std::size_t>();
    report.source_end = fields[3].cast<std::size_t>();
    report.finish = *finish;
    report.stem_begin = fields[5].cast<std::size_t>();
    report.stem_end = fields[6].cast<std::size_t>();
    report.explanation = units_of(fields[7]);
    report.spoken = fields.size() >= 9 && fields[8].cast<bool>();
    if (fields.size() == 10 && !fields[9].is_none()) report.ascii = units_of(fields[9]);
    report.pieces = taviro::word_pieces(report.finish, report.stem_begin, report.stem_end, code_points(report.roman));
    return report;
}

// The named pieces of the report's Roman text, as (name, begin, end).
py::list pieces_of(const taviro::WordReport& word) {
    py::list pieces;
    for (const taviro::WordPiece& piece : word.pieces) {
        pieces.append(py::make_tuple(std::string(piece.name), piece.begin, piece.end));
    }
    return pieces;
}

// The Roman text as `taviro-convert --to utf-8` writes it, but for a lone
// surrogate, which a str holds where a UTF-8 file has U+FFFD (python_text).
std::string as_utf8(std::u16string_view roman) { return taviro::utf8_passing_lone_surrogates(roman); }

// A Roman text of as_utf8() as a str.
py::str python_text(const std::string& roman) {
    PyObject* text = PyUnicode_DecodeUTF8(roman.data(), static_cast<Py_ssize_t>(roman.size()), "surrogatepass");
    if (!text) throw py::error_already_set();
    return py::reinterpret_steal<py::str>(text);
}

// None and pandas' missing values (NaN, pd.NA, NaT) stand for a text that is
// not there, as in a column with gaps: they give None. pandas' own kinds exist
// only once pandas is imported, and then pandas says what is missing.
bool is_missing(py::handle value) {
    if (value.is_none()) return true;
    if (PyFloat_Check(value.ptr())) return std::isnan(PyFloat_AS_DOUBLE(value.ptr()));
    const auto pandas = py::reinterpret_steal<py::object>(PyImport_GetModule(py::str("pandas").ptr()));
    if (!pandas) {
        if (PyErr_Occurred()) throw py::error_already_set();
        return false;
    }
    return pandas.attr("isna")(value).ptr() == Py_True;
}

std::optional<taviro::Encoding> source_encoding(const std::string& name) {
    const taviro::EncodingChoice choice = taviro::read_source_encoding(name, py::repr(py::str(name)).cast<std::string>(),
                                                                       "from_encoding");
    if (!choice.problem.empty()) throw py::value_error(choice.problem);
    return choice.encoding;
}

taviro::Encoding destination_encoding(const std::string& name) {
    const taviro::EncodingChoice choice =
        taviro::read_destination_encoding(name, py::repr(py::str(name)).cast<std::string>(), "to_encoding");
    if (!choice.problem.empty()) throw py::value_error(choice.problem);
    return *choice.encoding;
}

// A convert_file run that did not complete, with what it failed on, so that
// Python raises the error of that kind.
class FailedRun : public std::runtime_error {
public:
    FailedRun(taviro::RunFailure failure, const std::string& reason, int system_error = 0)
        : std::runtime_error(reason), failure_(failure), system_error_(system_error) {}
    taviro::RunFailure failure() const noexcept { return failure_; }
    int system_error() const noexcept { return system_error_; }

private:
    taviro::RunFailure failure_;
    int system_error_;
};

// The scheme a name names, as every face reads it: ValueError for any other.
taviro::Scheme read_scheme(const std::string& name) {
    const std::optional<taviro::Scheme> scheme = taviro::scheme_named(name);
    if (!scheme) throw std::invalid_argument(taviro::unknown_scheme(taviro::quoted_name(name), "scheme"));
    return *scheme;
}

class Transliterator {
public:
    Transliterator(const std::filesystem::path& dictionary, bool loanwords, bool spoken, const std::string& scheme)
        : file_(dictionary),
          words_(dictionary,
                 taviro::WordStoreOptions{.loanwords = loanwords, .spoken = spoken, .scheme = read_scheme(scheme)}) {}

    std::string transliterate(std::u16string_view text) const {
        return as_utf8(taviro::convert_text(text, words_));
    }

    // Each text converted on its own, to what transliterate() gives for it,
    // with one word memory for them all: a word met in an earlier text costs a
    // lookup instead of being romanized and finished again, which is most of
    // what a call on a short text costs. A missing text gives a missing one.
    // `labels` name the texts in messages ("the value at index 'a'"), where
    // they are given; otherwise a text is named by its place in the list.
    std::vector<std::optional<std::string>> transliterate_many(const std::vector<std::optional<std::u16string>>& texts,
                                                               const std::vector<std::string>& labels) const {
        taviro::WordMemory memory(words_);
        taviro::MemoryUnitSink unused;
        taviro::ChunkLoop loop(unused, memory);
        std::vector<std::optional<std::string>> roman;
        roman.reserve(texts.size());
        for (const std::optional<std::u16string>& text : texts) {
            if (!text) {
                roman.emplace_back();
                continue;
            }
            taviro::MemoryUnitSink sink;
            loop.restart(sink, 0);
            try {
                loop.take(*text);
                loop.end_of_input();
            } catch (const taviro::EngineError& error) {
                throw taviro::EngineError(error.kind(), text_named(roman.size(), labels) + ": " + error.what());
            }
            roman.push_back(as_utf8(sink.text()));
        }
        return roman;
    }

    std::vector<taviro::WordReport> finish_details(std::u16string_view text) const {
        const CodePointIndex in_source(text);
        std::vector<taviro::WordReport> words = taviro::report_words(text, words_);
        for (taviro::WordReport& word : words) word = in_code_points(std::move(word), in_source);
        return words;
    }

    // taviro-convert's run of two named files, with its checks and its
    // messages. Throws FailedRun with the run's reason when it did not complete.
    taviro::FileRunResult convert_file(const std::string& source, const std::string& destination,
                                       std::optional<taviro::Encoding> from, taviro::Encoding to,
                                       unsigned threads) const {
        taviro::FileRunOptions options;
        options.from = from;
        options.to = to;
        options.threads = threads;
        options.dictionary_file = file_;
        taviro::FileRunResult result = taviro::run_file_conversion(source, destination, words_, options);
        if (result.outcome != taviro::RunOutcome::completed) {
            throw FailedRun(result.failure, result.reason, result.system_error);
        }
        return result;
    }

private:
    std::filesystem::path file_;
    taviro::WordStore words_;
};

// A FileError is an OSError too: of the subclass its error number names
// (FileNotFoundError for a missing file), with that number as its errno, so
// that `except OSError` and `except FileNotFoundError` catch it. Its message
// stays the program's.
class FileErrors {
public:
    FileErrors(py::handle base, py::handle module) {
        file_error_ = make("FileError", py::make_tuple(base, py::reinterpret_borrow<py::object>(PyExc_OSError)), module);
        for (const auto& [number, os_error] : {std::pair{ENOENT, PyExc_FileNotFoundError},
                                               std::pair{EACCES, PyExc_PermissionError},
                                               std::pair{EPERM, PyExc_PermissionError},
                                               std::pair{EISDIR, PyExc_IsADirectoryError},
                                               std::pair{ENOTDIR, PyExc_NotADirectoryError},
                                               std::pair{EEXIST, PyExc_FileExistsError}}) {
            by_number_.emplace(number, make("FileError", py::make_tuple(file_error_, py::handle(os_error)), {}));
        }
    }

    void raise(const std::string& message, int number) const {
        const auto found = by_number_.find(number);
        const py::object type = found != by_number_.end() ? found->second : file_error_;
        py::object instance = type(message);
        // Its errno alone: with a strerror too, str() would no longer be the message.
        if (number != 0) instance.attr("errno") = number;
        PyErr_SetObject(type.ptr(), instance.ptr());
    }

private:
    static py::object make(const char* name, const py::tuple& bases, py::handle module) {
        const std::string qualified = std::string("taviro.") + name;
        py::object type = py::reinterpret_steal<py::object>(PyErr_NewException(qualified.c_str(), bases.ptr(), nullptr));
        if (!type) throw py::error_already_set();
        if (module) py::setattr(module, name, type);
        return type;
    }

    py::object file_error_;
    std::map<int, py::object> by_number_;
};

// The errors, each a kind of taviro.Error; a failed file run raises the one
// of the kind it failed on.
void bind_errors(py::module_& module) {
    static py::exception<void> error(module, "Error");
    static auto& dictionary_error = py::register_exception<taviro::StoreError>(module, "DictionaryError", error.ptr());
    static auto& text_error = py::register_exception<taviro::EngineError>(module, "TextError", error.ptr());
    // Never destroyed: the classes must outlive every exception raised with them.
    static const FileErrors* file_errors = new FileErrors(error, module);
    py::register_exception_translator([](std::exception_ptr raised) {
        try {
            if (raised) std::rethrow_exception(raised);
        } catch (const taviro::RunError& run) {
            file_errors->raise(run.what(), run.system_error());
        } catch (const FailedRun& run) {
            switch (run.failure()) {
            case taviro::RunFailure::text:
                PyErr_SetString(text_error.ptr(), run.what());
                return;
            case taviro::RunFailure::dictionary:
                PyErr_SetString(dictionary_error.ptr(), run.what());
                return;
            case taviro::RunFailure::none:
            case taviro::RunFailure::file:
                break;
            }
            file_errors->raise(run.what(), run.system_error());
        }
    });
}

// Read-only, compared and hashed by value, and pickled by rebuilding from its
// fields, as the named tuple it replaces was.
void bind_word_report(py::module_& module) {
    py::class_<taviro::WordReport>(module, "WordReport", R"(One word of a text and how it was finished.

`source` is text[source_begin:source_end] and `roman` its Roman text.
`finish` is "prefix", "suffix", "prefix+suffix", "split", "none" (the rules
alone), or "user" or "loanword" when an entry of that lexicon gave the whole
word. A kept prefix is roman[:stem_begin], a kept suffix roman[stem_end:],
and a split's first part roman[:stem_end]; `pieces` names them, as
(name, begin, end) in `roman`. `spoken` is True when spoken forms changed it:
its "a"s or its nasal as speech says them. `explanation` says it all in
words, word, Roman text, finish and pieces, as taviro-dict explain and the
web page do. `ascii` is what was written in plain letters (scheme="ascii"),
beside the marked `roman`, and None otherwise. `start`, `end` and
`stem_start` are the older names of source_begin, source_end and stem_begin.)")
        .def_property_readonly("source", [](const taviro::WordReport& self) { return text_of(self.source); })
        .def_property_readonly("roman", [](const taviro::WordReport& self) { return text_of(self.roman); })
        .def_property_readonly("ascii", &ascii_of)
        .def_readonly("source_begin", &taviro::WordReport::source_begin)
        .def_readonly("source_end", &taviro::WordReport::source_end)
        .def_property_readonly("finish", &finish_name)
        .def_readonly("stem_begin", &taviro::WordReport::stem_begin)
        .def_readonly("stem_end", &taviro::WordReport::stem_end)
        .def_property_readonly("pieces", &pieces_of)
        .def_readonly("spoken", &taviro::WordReport::spoken)
        .def_property_readonly("explanation",
                               [](const taviro::WordReport& self) { return text_of(self.explanation); })
        .def_readonly("start", &taviro::WordReport::source_begin)
        .def_readonly("end", &taviro::WordReport::source_end)
        .def_readonly("stem_start", &taviro::WordReport::stem_begin)
        .def("__eq__", [](const taviro::WordReport& self, const taviro::WordReport& other) { return self == other; },
             py::is_operator())
        .def("__hash__", [](const taviro::WordReport& self) { return py::hash(fields_of(self)); })
        .def("__repr__",
             [](const taviro::WordReport& self) {
                 // ascii only where there are plain letters to show.
                 const py::str ascii = self.ascii ? py::str("ascii={!r}, ").format(text_of(*self.ascii)) : py::str("");
                 return py::str("WordReport(source={!r}, roman={!r}, source_begin={}, source_end={}, finish={!r}, "
                                "stem_begin={}, stem_end={}, spoken={}, {}explanation={!r})")
                     .format(text_of(self.source), text_of(self.roman), self.source_begin, self.source_end,
                             finish_name(self), self.stem_begin, self.stem_end, self.spoken, ascii,
                             text_of(self.explanation));
             })
        .def(py::pickle([](const taviro::WordReport& self) { return fields_of(self); }, &from_fields));
}

// transliterate_many(texts): each str of `texts` as its units, None for a
// missing value; a TypeError for anything else, and for one str, which is
// iterable letter by letter: a list of letters is never what was meant.
std::vector<std::optional<std::u16string>> texts_of(const py::iterable& texts, const std::vector<std::string>& labels) {
    if (py::isinstance<py::str>(texts) || py::isinstance<py::bytes>(texts)) {
        throw py::type_error("transliterate_many takes a list of texts, not one " + type_name(texts) +
                             "; use transliterate");
    }
    std::vector<std::optional<std::u16string>> units;
    for (const py::handle text : texts) {
        if (py::isinstance<py::str>(text)) {
            units.emplace_back(units_of(text));
        } else if (is_missing(text)) {
            units.emplace_back();
        } else {
            throw py::type_error(text_named(units.size(), labels) + " must be str, not " + type_name(text));
        }
    }
    return units;
}

py::list transliterate_many(const Transliterator& self, const py::iterable& texts,
                            const std::vector<std::string>& labels) {
    const std::vector<std::optional<std::u16string>> units = texts_of(texts, labels);
    std::vector<std::optional<std::string>> roman;
    {
        py::gil_scoped_release unlocked;
        roman = self.transliterate_many(units, labels);
    }
    py::list result(roman.size());
    for (std::size_t at = 0; at < roman.size(); ++at) {
        result[at] = roman[at] ? py::object(python_text(*roman[at])) : py::none();
    }
    return result;
}

std::pair<std::string, std::size_t> convert_file(const Transliterator& self, const std::string& source,
                                                 const std::string& destination, const std::string& from_encoding,
                                                 const std::string& to_encoding, unsigned threads) {
    const auto from = source_encoding(from_encoding);
    const auto to = destination_encoding(to_encoding);
    taviro::FileRunResult done;
    {
        py::gil_scoped_release unlocked;
        done = self.convert_file(source, destination, from, to, threads != 0 ? threads : taviro::available_threads());
    }
    return std::make_pair(done.written, done.replacements);
}

// The conversions, each with the GIL released around the engine's work.
void bind_transliterator(py::module_& module) {
    using release_gil = py::call_guard<py::gil_scoped_release>;
    py::class_<Transliterator>(module, "Transliterator")
        .def(py::init<const std::filesystem::path&, bool, bool, const std::string&>(), py::arg("dictionary"),
             py::arg("loanwords"), py::arg("spoken"), py::arg("scheme"), release_gil())
        .def(
            "transliterate",
            [](const Transliterator& self, const py::object& text) {
                const std::u16string units = units_of(text);
                std::string roman;
                {
                    py::gil_scoped_release unlocked;
                    roman = self.transliterate(units);
                }
                return python_text(roman);
            },
            py::arg("text"))
        .def("transliterate_many", &transliterate_many, py::arg("texts"), py::arg("_labels") = std::vector<std::string>(),
             "The Roman text of each text, each converted on its own as transliterate() converts it, "
             "in one call: faster than a call a text when the texts are many and short. `texts` is a list "
             "or other iterable of str, never one str: use transliterate() for that. None and pandas' "
             "missing values (NaN, pd.NA, NaT) give None.")
        .def(
            "finish_details",
            [](const Transliterator& self, const py::object& text) {
                const std::u16string units = units_of(text);
                py::gil_scoped_release unlocked;
                return self.finish_details(units);
            },
            py::arg("text"), "Every word of `text` with letters, in order, and how it was finished.")
        .def("_convert_file", &convert_file, py::arg("source"), py::arg("destination"), py::arg("from_encoding"),
             py::arg("to_encoding"), py::arg("threads"));
}

}  // namespace

PYBIND11_MODULE(_taviro, module) {
    module.doc() = "Gurmukhi to Roman transliteration: the engine behind the package taviro";
    module.attr("__version__") = TAVIRO_VERSION;
    // The programs' places for words.mdb; the package says where it stands in for a program.
    module.def("_dictionary_candidates", &taviro::dictionary_candidates, py::arg("program_folder"));
    module.attr("_MOST_THREADS") = taviro::kMostThreads;
    // What a completed run that wrote U+FFFD for lone surrogates warns of.
    module.def("_replacements_warning", &taviro::replacements_warning, py::arg("replacements"));
    // How many line ends the engine reads in a text, for the lines of a Dask bag.
    module.def("_line_ends", [](const py::object& text) { return taviro::count_line_ends(units_of(text)); },
               py::arg("text"));
    bind_errors(module);
    bind_word_report(module);
    // Its name before it was the word report everywhere, for code and pickles that say it.
    module.attr("FinishedWord") = module.attr("WordReport");
    bind_transliterator(module);
}
