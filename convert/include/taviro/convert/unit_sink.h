// Where the read loop gives its Roman text to: a file, standard output or a
// buffer in memory.
#pragma once

#include <string>
#include <string_view>

namespace taviro {

class UnitSink {
public:
    virtual ~UnitSink() = default;
    // Takes `text` in order after everything written before. Throws RunError when
    // it cannot be kept.
    virtual void write(std::u16string_view text) = 0;
};

// Collects the text in memory.
class MemoryUnitSink final : public UnitSink {
public:
    void write(std::u16string_view text) override { text_.append(text); }
    const std::u16string& text() const noexcept { return text_; }
    std::u16string take() noexcept { return std::move(text_); }

private:
    std::u16string text_;
};

}  // namespace taviro
