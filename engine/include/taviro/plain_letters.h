// Plain letters, as Punjabis type Roman Punjabi: the spoken form of a word in
// lower-case ASCII (ਭਾਰਤੀ bharti, ਪੱਕਾ pakka, ਵਿੱਚ vich, ਨੂੰ nu) instead of
// macrons and dots. The letters and the few rules around them were chosen by
// how native speakers spell words and sentences when they type them; each
// rule is one that held for most of their spellings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace taviro {

// How a conversion writes its Roman text: with the marks (bhāratī, the
// default) or in plain letters (bharti), which also writes spoken forms.
enum class Scheme : std::uint8_t { marks, ascii };

// "marks" and "ascii", as the command line and the other faces name them;
// a name is read in any case.
[[nodiscard]] std::string_view scheme_name(Scheme scheme) noexcept;
[[nodiscard]] std::optional<Scheme> scheme_named(std::string_view name) noexcept;
// What every face says of a name that is no scheme: "unknown scheme 'plain'
// for --scheme (marks, ascii)", the name quoted as the face quotes it.
[[nodiscard]] std::string unknown_scheme(std::string_view quoted_name, std::string_view setting);

// A finished word's Roman text with the marks, in plain letters. A word a
// lexicon wrote (`as_written`) is only folded letter by letter, its plain
// letters kept: its writer already said where the vowels go. Anything else
// in the word that is no Roman letter becomes its nearest ASCII text (a
// curly quote a straight one, é e), or "?" where there is none, so that a
// Gurmukhi word is ASCII through and through. Words without Gurmukhi and
// the separators around words never come here: they stand as written.
[[nodiscard]] std::u16string plain_letters(std::u16string_view marked, bool as_written = false);

}  // namespace taviro
