#include "chunk_converter.h"

#include <string>
#include <string_view>

#include "taviro/convert/unit_sink.h"

namespace taviro {
namespace {

// Keeps a chunk's text until its turn to go to the real sink comes.
class TextSink final : public UnitSink {
public:
    explicit TextSink(std::u16string& text) : text_(text) {}
    void write(std::u16string_view text) override { text_.append(text); }

private:
    std::u16string& text_;
};

}  // namespace

void ChunkConverter::convert(Chunk& chunk) {
    chunk.text.clear();
    TextSink sink(chunk.text);
    try {
        if (loop_) {
            loop_->restart(sink, chunk.after_separator);
        } else {
            loop_.emplace(sink, memory_, chunk.after_separator);
        }
        loop_->take(chunk.read());
        if (chunk.ends_input) {
            loop_->end_of_input();
        }
        chunk.counts = loop_->counts();
        chunk.failure = nullptr;
    } catch (...) {
        chunk.failure = std::current_exception();
    }
}

}  // namespace taviro
