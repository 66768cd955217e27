// Remembers what the words of one run became, keyed by their Gurmukhi code
// units, so that a word that occurs again costs one lookup instead of being
// romanized and finished afresh. Real text repeats its words, so most words of
// a long text are met here.
//
// What a word becomes is a pure function of its units, of whether its word end
// drops a final inherent "a", and of the dictionary, with its lexicons and
// whether it asks for spoken forms, so remembering cannot change the output: a
// memory serves one dictionary, and so one way of writing. The memory is bounded: when full it starts over.
//
// A repeated word is memory-bound, not compute-bound: the lookup waits on the
// cache. So everything a repeated word needs lies together and small: its slot
// holds the entry itself, and its units and Roman text sit side by side in one
// buffer, most often in one cache line.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "taviro/engine.h"

namespace taviro {

// What a word becomes with one word end, as the run writes and counts it.
struct ConvertedWord : WordFinishing {
    std::u16string_view text;
    bool has_letters = false;  // the romanized word was not empty
};

ConvertedWord converted_word(const FinishedWord& word, bool has_letters) noexcept;
FinishedWord finished_word(const ConvertedWord& word);

// The same, kept in eight bytes: the text lies in the memory's buffer. A text
// longer than a byte can count is not kept, but made again each time.
struct WordEnding {
    static constexpr std::uint32_t kNotConverted = UINT32_MAX;

    std::uint32_t text_at = kNotConverted;
    std::uint8_t text_size = 0;
    std::uint8_t stem_begin = 0;
    std::uint8_t stem_end = 0;
    std::uint8_t flags = 0;  // the low byte of the word's finishing as WordMemory::pack() packs it
};

// One remembered word, as the run's character counter and the word end see it:
// 32 bytes, at a 32-byte boundary, so that a slot never spans two cache lines.
struct alignas(32) RememberedWord {
    std::uint32_t hash = 0;  // 0 marks an empty slot
    std::uint32_t units_at = 0;
    std::uint8_t units_size = 0;
    std::int8_t counted = 0;  // characters the counter takes: a joining nukta is not one
    // The flags of each word end that its byte has no room for, four bits
    // each (WordMemory::pack).
    std::uint8_t more_flags = 0;
    WordEnding keeping_final_a;
    WordEnding dropping_final_a;
};
static_assert(sizeof(RememberedWord) == 32);

class WordMemory {
public:
    explicit WordMemory(const Dictionary& dictionary);

    // Looks up the word of `units`, whose TextHashState over them is `hash`, and
    // tells how many characters the counter takes for it. Throws EngineError as
    // romanizing the word would. The word stays the current one until the next call.
    // A word met before is found here, in the header, where the read loop's
    // compiler sees it; the rest is in find_first_time().
    std::int32_t find(std::u16string_view units, std::uint64_t hash) {
        const std::uint32_t key = slot_key(hash);
        if (units.size() <= kMaxRememberedLength) {
            const std::size_t mask = slot_count_ - 1;
            for (std::size_t at = key & mask; slots_[at].hash != 0; at = (at + 1) & mask) {
                RememberedWord& slot = slots_[at];
                if (slot.hash == key && slot.units_size == units.size() && same_units(buffer_.data() + slot.units_at, units)) {
                    current_ = &slot;
                    return slot.counted;
                }
            }
        }
        return find_first_time(units, key);
    }
    // What the current word becomes with the given word end; the text holds
    // until the next call.
    ConvertedWord converted(bool drop_final_a) {
        if (current_ != nullptr) {
            const WordEnding& ending = drop_final_a ? current_->dropping_final_a : current_->keeping_final_a;
            if (ending.text_at != WordEnding::kNotConverted) {
                return view(*current_, drop_final_a);
            }
        }
        return convert_first_time(drop_final_a);
    }
    // The current word finished afresh, with the earlier texts a report names
    // its pieces in (FinishedWord::marked, before_spoken), which the memory
    // does not keep: for a run that reports its words. The text holds until
    // the next call.
    const FinishedWord& finished_in_full(bool drop_final_a, bool& has_letters);
    const Dictionary& dictionary() const noexcept { return dictionary_; }

    // Longer words are rare and seldom repeat; they are converted every time. A
    // word this short has its units and characters counted in a byte.
    static constexpr std::size_t kMaxRememberedLength = 48;
    static_assert(kMaxRememberedLength <= INT8_MAX);

private:
    // A word's finishing in eleven bits, packed and unpacked here alone: has
    // letters, each flag of kFlags, and the lexicon above them. The low byte
    // is the ending's own; the rest lies in RememberedWord::more_flags.
    static constexpr auto kFlags = std::to_array<bool WordFinishing::*>(
        {&WordFinishing::prefix, &WordFinishing::suffix, &WordFinishing::split, &WordFinishing::spoken,
         &WordFinishing::spoken_kept, &WordFinishing::spoken_join, &WordFinishing::spoken_nasal,
         &WordFinishing::spoken_cluster});
    static constexpr int kLexiconShift = 1 + static_cast<int>(kFlags.size());
    static constexpr int kMoreFlagsBits = 4;  // for each word end
    static_assert(static_cast<int>(Lexicon::user) < 4 && kLexiconShift + 2 <= 8 + kMoreFlagsBits);

    static std::uint16_t pack(const WordFinishing& word, bool has_letters) noexcept {
        const int lexicon = static_cast<int>(word.lexicon) << kLexiconShift;
        auto packed = static_cast<std::uint16_t>((has_letters ? 1 : 0) | lexicon);
        for (std::size_t flag = 0; flag < kFlags.size(); ++flag) {
            if (word.*kFlags[flag]) packed = static_cast<std::uint16_t>(packed | (2u << flag));
        }
        return packed;
    }
    static void unpack(std::uint16_t packed, ConvertedWord& word) noexcept {
        word.has_letters = (packed & 1) != 0;
        for (std::size_t flag = 0; flag < kFlags.size(); ++flag) word.*kFlags[flag] = (packed & (2u << flag)) != 0;
        word.lexicon = static_cast<Lexicon>(packed >> kLexiconShift);
    }
    static int more_flags_shift(bool drop_final_a) noexcept { return drop_final_a ? kMoreFlagsBits : 0; }

    static std::uint32_t slot_key(std::uint64_t hash) noexcept {
        const auto folded = static_cast<std::uint32_t>(hash ^ (hash >> 32));
        return folded != 0 ? folded : 1;  // 0 marks an empty slot
    }
    // Words are a few units long: a plain loop beats calling memcmp.
    static bool same_units(const char16_t* kept, std::u16string_view units) noexcept {
        for (const char16_t unit : units) {
            if (*kept++ != unit) {
                return false;
            }
        }
        return true;
    }
    ConvertedWord view(const RememberedWord& remembered, bool drop_final_a) const noexcept {
        const WordEnding& ending = drop_final_a ? remembered.dropping_final_a : remembered.keeping_final_a;
        const int more = (remembered.more_flags >> more_flags_shift(drop_final_a)) & ((1 << kMoreFlagsBits) - 1);
        ConvertedWord word;
        word.text = std::u16string_view(buffer_.data() + ending.text_at, ending.text_size);
        unpack(static_cast<std::uint16_t>(ending.flags | (more << 8)), word);
        word.stem_begin = ending.stem_begin;
        word.stem_end = ending.stem_end;
        return word;
    }

    std::int32_t find_first_time(std::u16string_view units, std::uint32_t key);
    ConvertedWord convert_first_time(bool drop_final_a);
    void start_over();
    void grow();
    void remember(std::u16string_view units, std::uint32_t hash, std::size_t at);

    const Dictionary& dictionary_;
    // Zeroed when allocated, as an empty slot's hash must be; the table
    // starts small and grows with the vocabulary.
    struct FreeSlots {
        void operator()(RememberedWord* slots) const noexcept { std::free(slots); }
    };
    std::unique_ptr<RememberedWord[], FreeSlots> slots_;
    std::size_t slot_count_ = 0;  // a power of two
    std::size_t remembered_ = 0;
    std::u16string buffer_;  // the units and Roman texts of the remembered words
    RememberedWord* current_ = nullptr;
    // Every word converted for the first time is finished into here, and so
    // is, every time, a word too long to be worth keeping (its units are
    // gathered in long_units_) and a short word whose text is too long to keep.
    std::u16string long_units_;
    std::int32_t long_counted_ = 0;
    FinishedWord long_finished_;
    bool long_has_letters_ = false;
};

}  // namespace taviro
