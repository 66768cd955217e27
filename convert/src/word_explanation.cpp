#include "taviro/convert/word_explanation.h"

#include <array>
#include <utility>

namespace taviro {
namespace {

using enum PieceMark;

constexpr std::array<PieceWording, 2> kPrefixPieces{{{"prefix", word_begin, stem_begin}, {"stem", stem_begin, stem_end}}};
constexpr std::array<PieceWording, 2> kSuffixPieces{{{"stem", stem_begin, stem_end}, {"suffix", stem_end, word_end}}};
constexpr std::array<PieceWording, 3> kPrefixAndSuffixPieces{
    {{"prefix", word_begin, stem_begin}, {"stem", stem_begin, stem_end}, {"suffix", stem_end, word_end}}};
constexpr std::array<PieceWording, 2> kSplitPieces{{{"first", word_begin, stem_end}, {"second", stem_end, word_end}}};

constexpr std::string_view kStemConfirmed = "the dictionary confirmed the stem";

// In the order of Finish.
constexpr std::array<FinishWording, kFinishes> kWordings{{
    {"none", "the rules alone: no prefix, suffix or split was confirmed by the dictionary", {}},
    {"prefix", kStemConfirmed, kPrefixPieces},
    {"suffix", kStemConfirmed, kSuffixPieces},
    {"prefix+suffix", kStemConfirmed, kPrefixAndSuffixPieces},
    {"split", "split into two dictionary words", kSplitPieces},
    {"user", "written as your lexicon says", {}},
    {"loanword", "an English loanword, written as Punjabi speakers say it", {}},
}};

// Said after the finish of a word that spoken forms changed, for each change.
constexpr std::string_view kSpokenStep = "spoken form: a dropped after a long vowel";
constexpr std::string_view kSpokenKeptStep = "spoken form: a kept before addak or tippi";
constexpr std::string_view kSpokenJoinStep = "spoken form: the a at the join dropped";
constexpr std::string_view kSpokenNasalStep = "spoken form: tippi said as the long vowel's nasal";
constexpr std::string_view kSpokenClusterStep = "spoken form: a said before the s of st or sk";

std::size_t offset(PieceMark mark, std::size_t stem_begin, std::size_t stem_end, std::size_t length) {
    switch (mark) {
    case word_begin:
        return 0;
    case PieceMark::stem_begin:
        return stem_begin;
    case PieceMark::stem_end:
        return stem_end;
    case word_end:
        break;
    }
    return length;
}

}  // namespace

Finish finish_of(const WordFinishing& word) noexcept {
    if (word.lexicon == Lexicon::user) return Finish::user_entry;
    if (word.lexicon == Lexicon::loanword) return Finish::loanword_entry;
    if (word.split) return Finish::split;
    if (word.prefix && word.suffix) return Finish::prefix_and_suffix;
    if (word.prefix) return Finish::prefix;
    if (word.suffix) return Finish::suffix;
    return Finish::rules;
}

const FinishWording& finish_wording(Finish finish) noexcept {
    return kWordings[static_cast<std::size_t>(finish)];
}

std::string_view spoken_wording() noexcept {
    return kSpokenStep;
}

std::string_view held_word_wording() noexcept {
    return "the dictionary holds this word, which confirms the pieces of other words; "
           "only taviro-dict add sets how a word itself is written";
}

std::string_view spoken_kept_wording() noexcept {
    return kSpokenKeptStep;
}

std::string_view spoken_join_wording() noexcept {
    return kSpokenJoinStep;
}

std::string_view spoken_nasal_wording() noexcept {
    return kSpokenNasalStep;
}

std::string_view spoken_cluster_wording() noexcept {
    return kSpokenClusterStep;
}

std::vector<WordPiece> word_pieces(Finish finish, std::size_t stem_begin, std::size_t stem_end, std::size_t length) {
    std::vector<WordPiece> pieces;
    for (const PieceWording& piece : finish_wording(finish).pieces) {
        pieces.push_back({piece.name, offset(piece.begin, stem_begin, stem_end, length),
                          offset(piece.end, stem_begin, stem_end, length)});
    }
    return pieces;
}

std::vector<WordPiece> word_pieces(const PlacedWord& word) {
    const std::size_t length = word.marked.empty() ? word.roman_end - word.roman_begin : word.marked.size();
    return word_pieces(finish_of(word), word.stem_begin, word.stem_end, length);
}

std::optional<Finish> finish_named(std::string_view name) noexcept {
    for (std::size_t finish = 0; finish < kFinishes; ++finish) {
        if (kWordings[finish].name == name) return static_cast<Finish>(finish);
    }
    return std::nullopt;
}

namespace {

// Builds an explanation segment by segment, words running on in one.
class Segments {
public:
    void add(ExplanationSegment::Kind kind, std::u16string_view text) {
        if (kind == ExplanationSegment::Kind::words && !list_.empty() && list_.back().kind == kind) {
            list_.back().text += text;
        } else {
            list_.push_back({kind, std::u16string(text)});
        }
    }
    void add_words(std::string_view ascii) { add(ExplanationSegment::Kind::words, std::u16string(ascii.begin(), ascii.end())); }
    void add_words(std::u16string_view text) { add(ExplanationSegment::Kind::words, text); }
    std::vector<ExplanationSegment> take() { return std::move(list_); }

private:
    std::vector<ExplanationSegment> list_;
};

// The named pieces as the dictionary holds them, before spoken forms changed the word.
void add_pieces(Segments& segments, const PlacedWord& word, std::u16string_view word_roman) {
    const bool before_spoken = !word.pieces_text.empty();
    const std::u16string_view pieces_text = before_spoken ? std::u16string_view(word.pieces_text) : word_roman;
    const std::vector<WordPiece> pieces =
        before_spoken ? word_pieces(finish_of(word), word.pieces_stem_begin, word.pieces_stem_end, pieces_text.size())
                      : word_pieces(word);
    std::u16string_view between = kExplanationPunctuation.first_piece;
    for (const WordPiece& piece : pieces) {
        segments.add_words(between);
        segments.add_words(piece.name);
        segments.add_words(u" ");
        segments.add(ExplanationSegment::Kind::piece, pieces_text.substr(piece.begin, piece.end - piece.begin));
        between = kExplanationPunctuation.next_piece;
    }
}

void add_spoken_steps(Segments& segments, const WordFinishing& word) {
    for (const auto& [done, wording] : {std::pair{word.spoken_kept, spoken_kept_wording()},
                                        std::pair{word.spoken, spoken_wording()},
                                        std::pair{word.spoken_join, spoken_join_wording()},
                                        std::pair{word.spoken_nasal, spoken_nasal_wording()},
                                        std::pair{word.spoken_cluster, spoken_cluster_wording()}}) {
        if (!done) continue;
        segments.add_words(kExplanationPunctuation.step);
        segments.add_words(wording);
    }
}

}  // namespace

std::vector<ExplanationSegment> explanation_segments(const PlacedWord& word, std::u16string_view text,
                                                     std::u16string_view roman) {
    using Kind = ExplanationSegment::Kind;
    const ExplanationPunctuation& marks = kExplanationPunctuation;
    const std::u16string_view written = roman.substr(word.roman_begin, word.roman_end - word.roman_begin);
    // Plain letters are told beside the marked text, whose pieces are named.
    const std::u16string_view word_roman = word.marked.empty() ? written : std::u16string_view(word.marked);
    Segments segments;
    segments.add(Kind::gurmukhi, text.substr(word.source_begin, word.source_end - word.source_begin));
    segments.add_words(marks.arrow);
    segments.add(Kind::roman, word_roman);
    if (!word.marked.empty()) {
        segments.add_words(marks.plain_open);
        segments.add(Kind::roman, written);
        segments.add_words(marks.plain_close);
    }
    segments.add_words(marks.finish);
    segments.add_words(finish_wording(finish_of(word)).sentence);
    add_pieces(segments, word, word_roman);
    add_spoken_steps(segments, word);
    return segments.take();
}

std::u16string explain_word(const PlacedWord& word, std::u16string_view text, std::u16string_view roman) {
    std::u16string explanation;
    for (const ExplanationSegment& segment : explanation_segments(word, text, roman)) explanation += segment.text;
    return explanation;
}

}  // namespace taviro
