#include "word_memory.h"

#include <algorithm>
#include <new>

#include "taviro/word_builder.h"

namespace taviro {
namespace {

// Enough for the vocabulary of a long document: a few megabytes at most.
constexpr std::size_t kMaxRemembered = 65536;
// Longer words are rare and seldom repeat; they are converted every time.
constexpr std::size_t kMaxRememberedLength = 48;
// Twice the entries, a power of two, so that probe runs stay short.
constexpr std::size_t kSlots = 2 * kMaxRemembered;
static_assert((kSlots & (kSlots - 1)) == 0);

// Units and word end as the unit-by-unit loop would feed them to the builder.
WordBuilder build(std::u16string_view units, std::int32_t* counted) {
    WordBuilder builder;
    for (const char16_t unit : units) {
        if (builder.add(unit) && counted != nullptr) {
            ++*counted;
        }
    }
    return builder;
}

ConvertedWord convert(std::u16string_view units, bool drop_final_a, const Dictionary& dictionary) {
    WordBuilder builder = build(units, nullptr);
    builder.end(drop_final_a);
    ConvertedWord word;
    word.has_letters = !builder.word().empty();
    word.finished = finish_built_word(builder, dictionary);
    return word;
}

}  // namespace

WordMemory::WordMemory(const Dictionary& dictionary)
    : dictionary_(dictionary), slots_(static_cast<Slot*>(std::calloc(kSlots, sizeof(Slot)))) {
    if (!slots_) {
        throw std::bad_alloc();
    }
}

RememberedWord& WordMemory::find(std::u16string_view units) {
    if (units.size() > kMaxRememberedLength) {
        unremembered_ = RememberedWord{};
        build(units, &unremembered_.counted);
        return unremembered_;
    }
    const std::size_t hash = TextHash{}(units);
    for (std::size_t at = hash & (kSlots - 1);; at = (at + 1) & (kSlots - 1)) {
        const Slot& slot = slots_[at];
        if (slot.entry == 0) {
            return remember(units, hash);
        }
        if (slot.hash == hash && entries_[slot.entry - 1].units == units) {
            return entries_[slot.entry - 1].word;
        }
    }
}

RememberedWord& WordMemory::remember(std::u16string_view units, std::size_t hash) {
    RememberedWord word;
    build(units, &word.counted);
    if (entries_.size() == kMaxRemembered) {
        entries_.clear();
        std::fill_n(slots_.get(), kSlots, Slot{});
    }
    std::size_t at = hash & (kSlots - 1);
    while (slots_[at].entry != 0) {
        at = (at + 1) & (kSlots - 1);
    }
    entries_.push_back({std::u16string(units), std::move(word)});
    slots_[at] = {hash, static_cast<std::uint32_t>(entries_.size())};
    return entries_.back().word;
}

const ConvertedWord& WordMemory::converted(std::u16string_view units, RememberedWord& word, bool drop_final_a) {
    std::optional<ConvertedWord>& slot = drop_final_a ? word.dropping_final_a : word.keeping_final_a;
    if (!slot) {
        slot = convert(units, drop_final_a, dictionary_);
    }
    return *slot;
}

}  // namespace taviro
