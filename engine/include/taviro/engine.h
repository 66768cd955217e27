// Taviro's transliteration engine: Gurmukhi text in, spoken-style Roman text out.
//
// Text is UTF-16 throughout (char16_t / std::u16string). A position is one code
// unit and every comparison is an exact code-unit comparison: "ā" is not "a".
//
// The engine works word by word. The caller (the conversion run) splits the input
// into words and separators, feeds each word character to add_character(), closes
// the word with end_word(), and hands
// the result to finish_word(), which consults a Dictionary. The engine does no I/O
// and keeps no state of its own: the caller owns the CharacterState.
//
// Every failure is an EngineError.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace taviro {

// ---------------------------------------------------------------------------
// Failures

class EngineError : public std::runtime_error {
public:
    enum class Kind {
        addak_before_unmapped,  // addak followed by a word character with no map row
        overflow,               // a 16-bit counter, position or length went past 32,767
    };
    EngineError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    Kind kind() const noexcept { return kind_; }

private:
    Kind kind_;
};

// Largest value of the 16-bit counters, positions and lengths of the rules.
inline constexpr std::int32_t kMax16 = 32767;

// ---------------------------------------------------------------------------
// Tables. Searches run from index 0 upward and the first match wins; one past the
// last index (kMapRows, kPrefixCount, kSuffixCount) means nothing matched.

struct MapRow {
    char16_t code_point;
    std::u16string_view roman;
};

inline constexpr std::size_t kMapRows = 76;
inline constexpr std::size_t kPrefixCount = 41;
inline constexpr std::size_t kSuffixCount = 35;

inline constexpr std::u16string_view kDoublingMarker = u"[Doubles the following character]";
inline constexpr std::u16string_view kNoConversionMarker = u"[No Conversion Available]";

// The Gurmukhi block of Unicode, U+0A00 to U+0A7F.
inline constexpr char16_t kGurmukhiBlockStart = u'\u0A00';
inline constexpr std::size_t kGurmukhiBlockSize = 0x80;

constexpr bool in_gurmukhi_block(char16_t unit) noexcept {
    return unit >= kGurmukhiBlockStart && unit < kGurmukhiBlockStart + kGurmukhiBlockSize;
}

inline constexpr char16_t kBindi = u'\u0A02';
inline constexpr char16_t kTippi = u'\u0A70';
inline constexpr char16_t kAddak = u'\u0A71';
inline constexpr char16_t kHalant = u'\u0A4D';
inline constexpr char16_t kNukta = u'\u0A3C';

const std::array<MapRow, kMapRows>& character_map();
const std::array<std::u16string_view, kPrefixCount>& prefix_list();
const std::array<std::u16string_view, kSuffixCount>& suffix_list();

// Row of the character map holding `code_point`, or kMapRows when none does.
std::size_t find_map_row(char16_t code_point);
// Index of the first prefix that `word` begins with (an entry equal to the whole
// word counts), or kPrefixCount.
std::size_t find_prefix(std::u16string_view word);
// Index of the first suffix that `word` ends with while being strictly longer than
// it, or kSuffixCount.
std::size_t find_suffix(std::u16string_view word);

// The precomposed letter for `base` followed by the nukta (ਸ + ◌਼ -> ਸ਼), or 0 when
// `base` has no precomposed nukta form in the map.
char16_t compose_nukta(char16_t base);
// Whether `letter` is one of those precomposed nukta letters.
bool has_nukta(char16_t letter);

// ---------------------------------------------------------------------------
// Character transliteration. The Roman text of the latest character waits in
// `pending` until the next character or the word end settles it.

struct CharacterState {
    char16_t previous = 0;   // code point of the latest character that set it
    std::u16string pending;  // Roman text of the latest character, not yet in `word`
    std::u16string word;     // Roman text of the word so far

    void reset() {
        previous = 0;
        pending.clear();
        word.clear();
    }
};

// Adds one word character (bindi already turned into tippi by the caller).
// Throws EngineError(addak_before_unmapped) when the pending piece is the doubling
// marker and `code_point` has no map row.
void add_character(CharacterState& state, char16_t code_point);

// Ends the word: the pending piece is appended to the word, without its final
// inherent "a" when `drop_final_a`. The end of the input always drops it; a
// separator only once the run's character counter has passed 2, which the
// read loop, the counter's one owner, decides.
void end_word(CharacterState& state, bool drop_final_a);

// ---------------------------------------------------------------------------
// The Roman vowels, the letters every rule over Roman text tells apart from the rest.
inline constexpr std::u16string_view kRomanVowels = u"aeiou\u0101\u0113\u012B\u014D\u016B";  // a e i o u ā ē ī ō ū

constexpr bool is_roman_vowel(char16_t letter) noexcept {
    return kRomanVowels.find(letter) != std::u16string_view::npos;
}

// Whether an "a" followed by `next` is an inherent vowel that a rule may drop:
// not when it begins the vowel "ai" or "au", which would turn into another.
constexpr bool is_droppable_a(char16_t letter, char16_t next) noexcept {
    return letter == u'a' && next != u'i' && next != u'u';
}

// ---------------------------------------------------------------------------
// Schwa deletion: removes the inherent "a"s that speech drops, in place, by a
// positional rule over the Roman vowels. Returns `word`.
// Throws EngineError(overflow) for a word of 32,767 code units or more.
std::u16string& Schwa_Del(std::u16string& word);

// ---------------------------------------------------------------------------
// Lexicons: whole words the rules get wrong, written as an entry says. A
// user's own entries win over the loanwords, and both over the rules.

enum class Lexicon : std::uint8_t { none, loanword, user };

struct Pronunciation {
    std::u16string_view roman;
    Lexicon lexicon = Lexicon::none;
};

// ---------------------------------------------------------------------------
// Dictionary: a multiset of Roman texts. Word finishing asks two questions;
// the read loop asks one more, before finishing a word at all.

class Dictionary {
public:
    virtual ~Dictionary() = default;
    // How many rows hold exactly `text`.
    virtual std::size_t count(std::u16string_view text) const = 0;
    // No row is longer than this. A text that is longer is no row, so it is
    // never looked up: the split search then costs time in proportion to the
    // word's length, not to its square.
    virtual std::size_t longest_row() const noexcept { return SIZE_MAX; }
    // The entry of a lexicon for the word of these Gurmukhi units, taken as
    // the run reads them (see units_as_read()), if any. The text stays valid
    // as long as the dictionary. Most dictionaries have no lexicon.
    virtual std::optional<Pronunciation> pronunciation(std::u16string_view) const { return std::nullopt; }

    // Is this text a word at all?
    bool stem_lookup(std::u16string_view text) const { return rows_holding(text) >= 1; }
    // Is it exactly one word?
    bool part_lookup(std::u16string_view text) const { return rows_holding(text) == 1; }

private:
    std::size_t rows_holding(std::u16string_view text) const {
        return text.size() > longest_row() ? 0 : count(text);
    }
};

// A quick hash of UTF-16 text for hash tables keyed by words, which are short:
// FNV-1a over the code units, one unit at a time, so that a caller scanning
// text can hash it on the way.
struct TextHashState {
    std::uint64_t value = 0xcbf29ce484222325ULL;
    constexpr void add(char16_t unit) noexcept { value = (value ^ unit) * 0x100000001b3ULL; }
};

// The same over a whole text. Transparent, so a table of std::u16string keys
// can be searched with a std::u16string_view.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view text) const noexcept {
        TextHashState hash;
        for (const char16_t unit : text) hash.add(unit);
        return static_cast<std::size_t>(hash.value);
    }
};

// A dictionary held in memory; duplicate rows are counted.
class MemoryDictionary final : public Dictionary {
public:
    MemoryDictionary() = default;
    explicit MemoryDictionary(const std::vector<std::u16string>& rows);
    // Makes room for this many rows, so that adding them never rebuilds the table.
    void reserve(std::size_t rows);
    void add(std::u16string_view text);
    std::size_t count(std::u16string_view text) const override;
    std::size_t longest_row() const noexcept override { return longest_row_; }
    std::size_t size() const noexcept { return rows_; }

    // Writes the word of `units` as `roman`, unless an entry of a lexicon that
    // wins over `lexicon` has it already. `units` are taken as the run reads
    // them; throws EngineError when the character rules refuse them.
    void pronounce(std::u16string_view units, std::u16string_view roman, Lexicon lexicon);
    std::optional<Pronunciation> pronunciation(std::u16string_view units) const override;
    std::size_t pronunciations() const noexcept { return pronunciations_.size(); }

private:
    struct Entry {
        std::u16string roman;
        Lexicon lexicon;
    };
    // A distinct row: where its text lies in texts_, and how often it came.
    // Every program start loads tens of thousands of rows, so the rows share
    // one buffer and an open-addressed table instead of two allocations each.
    struct CountSlot {
        std::size_t hash = 0;
        std::size_t at = 0;
        std::size_t size = 0;
        std::size_t count = 0;  // 0: the slot is free
    };
    std::size_t find_slot(std::u16string_view text, std::size_t hash) const noexcept;
    void rebuild_table(std::size_t slot_count);

    std::u16string texts_;
    std::vector<CountSlot> slots_;  // a power of two of them, at most three quarters used
    std::size_t distinct_ = 0;
    std::unordered_map<std::u16string, Entry, TextHash, std::equal_to<>> pronunciations_;
    std::size_t rows_ = 0;
    std::size_t longest_row_ = 0;
};

// ---------------------------------------------------------------------------
// Word finishing: sets a known prefix or suffix aside when the dictionary confirms
// the rest, otherwise tries to split a compound into two dictionary words, and
// deletes schwas in the stem or in each part. A pure function of its arguments.

struct FinishedWord {
    std::u16string text;
    bool prefix = false;  // a prefix was confirmed and kept
    bool suffix = false;  // a suffix was confirmed and kept
    bool split = false;   // the word was split into two parts
    Lexicon lexicon = Lexicon::none;  // a lexicon's entry gave the whole text
    // Where the pieces of `text` meet. A kept prefix, with its joining vowel, is
    // text[0, stem_begin) and a kept suffix is text[stem_end, end); a split's
    // first part is text[0, stem_end) and its second the rest. A word the rules
    // alone finished is all stem.
    std::size_t stem_begin = 0;
    std::size_t stem_end = 0;
};

// Throws EngineError(overflow) for words too long for the 16-bit rules.
FinishedWord finish_word(std::u16string word, const Dictionary& dictionary);

}  // namespace taviro
