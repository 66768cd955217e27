#include "word_finisher.h"

namespace taviro {
namespace {

// Enough for the working vocabulary of a long document; a few megabytes at most.
constexpr std::size_t kMaxRemembered = 16384;
// Longer words are rare and seldom repeat; they are finished every time.
constexpr std::size_t kMaxRememberedLength = 64;

}  // namespace

const FinishedWord& WordFinisher::finish(std::u16string_view word) {
    if (word.size() > kMaxRememberedLength) {
        unremembered_ = finish_word(std::u16string(word), dictionary_);
        return unremembered_;
    }
    if (const auto found = remembered_.find(word); found != remembered_.end()) {
        return found->second;
    }
    FinishedWord finished = finish_word(std::u16string(word), dictionary_);
    if (remembered_.size() >= kMaxRemembered) {
        remembered_.clear();
    }
    return remembered_.emplace(word, std::move(finished)).first->second;
}

}  // namespace taviro
