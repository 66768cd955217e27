#include "taviro/convert/word_memory.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "taviro/word_builder.h"

namespace taviro {
namespace {

// Enough for the vocabulary of a long document: a few megabytes at most.
constexpr std::size_t kMaxRemembered = 65536;
// The table starts small and doubles, staying at least twice the entries so
// that probe runs stay short.
constexpr std::size_t kFirstSlots = 1024;
constexpr std::size_t kMostSlots = 2 * kMaxRemembered;
static_assert((kFirstSlots & (kFirstSlots - 1)) == 0 && (kMostSlots & (kMostSlots - 1)) == 0);

// Units and word end as the unit-by-unit loop would feed them to the builder.
WordBuilder build(std::u16string_view units, std::int32_t* counted) {
    WordBuilder builder;
    const std::int32_t added = builder.add_word(units);
    if (counted != nullptr) *counted = added;
    return builder;
}

FinishedWord convert(std::u16string_view units, bool drop_final_a, const Dictionary& dictionary,
                     bool& has_letters) {
    WordBuilder builder = build(units, nullptr);
    builder.end(drop_final_a);
    has_letters = builder.has_letters();
    return finish_built_word(builder, dictionary);
}

// Where a word of this hash goes in a table of `count` slots that lacks it.
std::size_t free_slot(const RememberedWord* slots, std::size_t count, std::uint32_t hash) noexcept {
    std::size_t at = hash & (count - 1);
    while (slots[at].hash != 0) {
        at = (at + 1) & (count - 1);
    }
    return at;
}

RememberedWord* allocate_slots(std::size_t count) {
    const std::size_t bytes = count * sizeof(RememberedWord);
    auto* slots = static_cast<RememberedWord*>(std::aligned_alloc(alignof(RememberedWord), bytes));
    if (slots == nullptr) {
        throw std::bad_alloc();
    }
    std::memset(static_cast<void*>(slots), 0, bytes);
    return slots;
}

}  // namespace

ConvertedWord converted_word(const FinishedWord& word, bool has_letters) noexcept {
    ConvertedWord converted;
    static_cast<WordFinishing&>(converted) = word;
    converted.text = word.text;
    converted.has_letters = has_letters;
    return converted;
}

FinishedWord finished_word(const ConvertedWord& word) {
    FinishedWord finished;
    static_cast<WordFinishing&>(finished) = word;
    finished.text = word.text;
    return finished;
}

WordMemory::WordMemory(const Dictionary& dictionary)
    : dictionary_(dictionary), slots_(allocate_slots(kFirstSlots)), slot_count_(kFirstSlots) {}

// The word was not found where a remembered one would be: remember it now,
// unless it is too long to keep.
std::int32_t WordMemory::find_first_time(std::u16string_view units, std::uint32_t key) {
    if (units.size() > kMaxRememberedLength) {
        current_ = nullptr;
        long_units_.assign(units);
        long_counted_ = 0;
        build(units, &long_counted_);
        return long_counted_;
    }
    remember(units, key, free_slot(slots_.get(), slot_count_, key));
    return current_->counted;
}

void WordMemory::remember(std::u16string_view units, std::uint32_t hash, std::size_t at) {
    std::int32_t counted = 0;
    build(units, &counted);
    if (remembered_ == kMaxRemembered || 2 * (remembered_ + 1) > slot_count_) {
        if (remembered_ == kMaxRemembered) {
            start_over();
        } else {
            grow();
        }
        at = free_slot(slots_.get(), slot_count_, hash);
    }
    RememberedWord& slot = slots_[at];
    slot = RememberedWord{.hash = hash,
                          .units_at = static_cast<std::uint32_t>(buffer_.size()),
                          .units_size = static_cast<std::uint8_t>(units.size()),
                          .counted = static_cast<std::int8_t>(counted),
                          .keeping_final_a = {},
                          .dropping_final_a = {}};
    buffer_.append(units);
    ++remembered_;
    current_ = &slot;
}

void WordMemory::start_over() {
    std::fill_n(slots_.get(), slot_count_, RememberedWord{});
    buffer_.clear();
    remembered_ = 0;
}

void WordMemory::grow() {
    const std::size_t count = std::min(2 * slot_count_, kMostSlots);
    std::unique_ptr<RememberedWord[], FreeSlots> slots(allocate_slots(count));
    for (std::size_t old = 0; old < slot_count_; ++old) {
        if (slots_[old].hash != 0) {
            slots[free_slot(slots.get(), count, slots_[old].hash)] = slots_[old];
        }
    }
    slots_ = std::move(slots);
    slot_count_ = count;
}

ConvertedWord WordMemory::convert_first_time(bool drop_final_a) {
    if (current_ == nullptr) {
        long_finished_ = convert(long_units_, drop_final_a, dictionary_, long_has_letters_);
        return converted_word(long_finished_, long_has_letters_);
    }
    const std::u16string_view units(buffer_.data() + current_->units_at, current_->units_size);
    long_finished_ = convert(units, drop_final_a, dictionary_, long_has_letters_);
    const FinishedWord& word = long_finished_;
    if (word.text.size() > UINT8_MAX) {
        // A lexicon's long text for a short word: not kept, made again each time.
        return converted_word(long_finished_, long_has_letters_);
    }
    const std::uint16_t packed = pack(word, long_has_letters_);
    WordEnding& ending = drop_final_a ? current_->dropping_final_a : current_->keeping_final_a;
    ending = WordEnding{.text_at = static_cast<std::uint32_t>(buffer_.size()),
                        .text_size = static_cast<std::uint8_t>(word.text.size()),
                        .stem_begin = static_cast<std::uint8_t>(word.stem_begin),
                        .stem_end = static_cast<std::uint8_t>(word.stem_end),
                        .flags = static_cast<std::uint8_t>(packed & 0xFF)};
    const int more = (packed >> 8) << more_flags_shift(drop_final_a);
    current_->more_flags = static_cast<std::uint8_t>(current_->more_flags | more);
    buffer_.append(word.text);
    return view(*current_, drop_final_a);
}

const FinishedWord& WordMemory::finished_in_full(bool drop_final_a, bool& has_letters) {
    const std::u16string_view units = current_ == nullptr
                                          ? std::u16string_view(long_units_)
                                          : std::u16string_view(buffer_.data() + current_->units_at, current_->units_size);
    long_finished_ = convert(units, drop_final_a, dictionary_, long_has_letters_);
    has_letters = long_has_letters_;
    return long_finished_;
}

}  // namespace taviro
