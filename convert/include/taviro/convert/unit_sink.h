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
    // Room for `units` in all, so that a text about that long is never copied to grow.
    void reserve(std::size_t units) { text_.reserve(units); }
    const std::u16string& text() const noexcept { return text_; }
    std::u16string take() noexcept { return std::move(text_); }

private:
    std::u16string text_;
};

}  // namespace taviro
