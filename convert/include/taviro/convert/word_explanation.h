// The one wording of how a word was finished: a sentence for each way of
// finishing and the names of the pieces it leaves in the word's Roman text.
// A word's report (word_report.h) and the page's word details take their
// words from here, so that taviro-dict explain, Python, the npm package and
// the page say the same thing the same way. It decides nothing: the
// conversion says how the word was finished.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "taviro/convert/text_conversion.h"

namespace taviro {

// The ways a word can be finished, as a reader tells them apart. A lexicon's
// entry wins over everything; a split over a kept prefix or suffix.
enum class Finish : std::uint8_t {
    rules,              // no prefix, suffix or split was confirmed
    prefix,
    suffix,
    prefix_and_suffix,
    split,              // two dictionary words
    user_entry,         // the user's lexicon wrote it whole
    loanword_entry,     // the loanword lexicon wrote it whole
    count_,             // not a finish: how many there are
};
inline constexpr std::size_t kFinishes = static_cast<std::size_t>(Finish::count_);

[[nodiscard]] Finish finish_of(const WordFinishing& word) noexcept;

// Where a piece of a word's Roman text begins or ends.
enum class PieceMark : std::uint8_t { word_begin, stem_begin, stem_end, word_end };

struct PieceWording {
    std::string_view name;  // "prefix", "stem", "suffix", "first", "second"
    PieceMark begin;
    PieceMark end;
};

struct FinishWording {
    std::string_view name;                 // "split": the word a program matches on
    std::string_view sentence;             // "split into two dictionary words"
    std::span<const PieceWording> pieces;  // in the word's order; none for a word left whole
};

[[nodiscard]] const FinishWording& finish_wording(Finish finish) noexcept;
// What spoken forms did to a word they changed, said after its finish:
// "spoken form: a dropped after a long vowel" (WordFinishing::spoken).
[[nodiscard]] std::string_view spoken_wording() noexcept;
// "spoken form: a kept before addak or tippi" (WordFinishing::spoken_kept).
[[nodiscard]] std::string_view spoken_kept_wording() noexcept;
// "spoken form: the a at the join dropped" (WordFinishing::spoken_join).
[[nodiscard]] std::string_view spoken_join_wording() noexcept;
// "spoken form: tippi said as the long vowel's nasal" (WordFinishing::spoken_nasal).
[[nodiscard]] std::string_view spoken_nasal_wording() noexcept;
// "spoken form: a said before the s of st or sk" (WordFinishing::spoken_cluster).
[[nodiscard]] std::string_view spoken_cluster_wording() noexcept;
// Said after a word's explanation when the dictionary holds the word itself,
// which people take for "the dictionary writes it so".
[[nodiscard]] std::string_view held_word_wording() noexcept;

// A named piece of a word's Roman text; offsets relative to its roman_begin.
struct WordPiece {
    std::string_view name;
    std::size_t begin = 0;
    std::size_t end = 0;

    bool operator==(const WordPiece&) const = default;
};

[[nodiscard]] std::vector<WordPiece> word_pieces(const PlacedWord& word);
// The same for a word finished so, its stem at [stem_begin, stem_end) of a
// Roman text `length` long, all four in one unit (code units, code points).
[[nodiscard]] std::vector<WordPiece> word_pieces(Finish finish, std::size_t stem_begin, std::size_t stem_end,
                                                 std::size_t length);
// The finish a FinishWording's name names ("split"), if any.
[[nodiscard]] std::optional<Finish> finish_named(std::string_view name) noexcept;

// What stands between the parts of an explanation, in its order: after the
// word, around its plain letters when it was written in them, after its Roman
// text, before the first piece, between pieces, before what spoken forms did.
// A face that lays an explanation out part by part (the page) takes them from here.
struct ExplanationPunctuation {
    std::u16string_view arrow = u" \u2192 ";
    std::u16string_view plain_open = u" (plain: ";
    std::u16string_view plain_close = u")";
    std::u16string_view finish = u": ";
    std::u16string_view first_piece = u": ";
    std::u16string_view next_piece = u" + ";
    std::u16string_view step = u"; ";
};
inline constexpr ExplanationPunctuation kExplanationPunctuation{};

// One part of a word's explanation, with what it is, so that a face can style
// it (the page puts Gurmukhi and Roman texts in spans of their languages):
// the word, a Roman text of it, a piece's Roman text, or the words around
// them. The parts joined are explain_word()'s text.
struct ExplanationSegment {
    enum class Kind : std::uint8_t { gurmukhi, roman, piece, words };
    Kind kind;
    std::u16string text;

    bool operator==(const ExplanationSegment&) const = default;
};

// explain_word()'s text in parts; no two parts of words stand side by side.
[[nodiscard]] std::vector<ExplanationSegment> explanation_segments(const PlacedWord& word, std::u16string_view text,
                                                                   std::u16string_view roman);

// The word, its Roman text, how it was finished and its pieces, as the
// dictionary holds them even where spoken forms changed the word:
// "ਪੰਜਾਬੀ → pañjābī: split into two dictionary words: first pañjā + second bī",
// then "; " and the spoken form's wording when spoken forms changed it. A word
// written in plain letters has them after its marked text: "ਪੰਜਾਬੀ → pañjābī
// (plain: panjabi): …".
// `text` and `roman` are the source and the result the report's offsets are in.
[[nodiscard]] std::u16string explain_word(const PlacedWord& word, std::u16string_view text,
                                          std::u16string_view roman);

}  // namespace taviro
