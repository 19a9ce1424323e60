// Splits a block of a list into its texts: the line feed kept, a carriage return before a line feed dropped,
// lines of more than 259 characters handed out in pieces of 259 or, for records, whole.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "bytes/byte_vectors.h"

namespace kalderos {

class LineReader {
public:
    static constexpr std::size_t kMaxText = 259;

    // What becomes of a line longer than kMaxText: pieces of kMaxText characters, or one text however long.
    enum class LongLines { kPieces, kWhole };

    // Hands out the texts of the `size` bytes at `bytes`, which hold bytes::kReadAhead cleared bytes behind them:
    // every text handed out is Readable. The bytes end where a line ends, or where a list ends, or between two
    // pieces of a line.
    LineReader(char* bytes, std::size_t size, LongLines long_lines)
        : buffer_(bytes), end_(size), long_lines_(long_lines) {}

    // The next text; a view without data (its data() null) once the bytes are exhausted. Returned by value, so
    // that a loop over the texts keeps each one in registers.
    bytes::Readable Next() {
        char* const start = buffer_ + begin_;
        const std::size_t raw = ShortLineAt(start);
        if (raw != kNoShortLine) return Deliver(start, raw);
        return NextSlowly();
    }

    // Every text Next would hand out through `step.CheckLine` (see block_loop.h), until `stop()` says so after a
    // text; true when any fails. Where it stops, Next goes on. The loop keeps where it stands in registers, which a
    // loop over Next reads back from the reader after every byte the texts' output writes (5 instructions a line,
    // callgrind).
    template <class Step, class Stop>
    bool CheckEach(Step& step, const Stop& stop) {
        bool any_failed = false;
        char* start = buffer_ + begin_;
        for (;;) {
            const std::size_t raw = ShortLineAt(start);
            if (raw != kNoShortLine) [[likely]] {
                const std::size_t content = DropCarriageReturn(start, raw);
                any_failed |= step.CheckLine(bytes::Readable::WithRoomBehind(start, content + 1));
                start += raw + 1;
            } else {
                begin_ = static_cast<std::size_t>(start - buffer_);
                const bytes::Readable text = NextSlowly();
                if (text.data() == nullptr) return any_failed;
                start = buffer_ + begin_;
                any_failed |= step.CheckLine(text);
            }
            if (stop()) {
                begin_ = static_cast<std::size_t>(start - buffer_);
                return any_failed;
            }
        }
    }

private:
    static constexpr std::size_t kNoShortLine = ~std::size_t{0};

    // Nearly every text is a whole short line, its line feed among the first 32 bytes: its length without the
    // line feed, found at once; kNoShortLine for everything else, which takes the long way.
    // The cleared bytes behind the block hold no line feed, so that none is found past its end.
    static std::size_t ShortLineAt(const char* start) {
        const std::uint32_t feeds = bytes::BytesEqualMask32(start, '\n');
        return feeds != 0 ? static_cast<std::size_t>(std::countr_zero(feeds)) : kNoShortLine;
    }

    // The length of the line of `raw` bytes at `start` without a carriage return at its end, which is written over
    // by the line feed. Written only where needed: a checker reads the line's first bytes at once right after,
    // which a store among them would hold up.
    static std::size_t DropCarriageReturn(char* start, std::size_t raw) {
        std::size_t content = raw;
        if (raw > 0 && start[raw - 1] == '\r') start[--content] = '\n';
        return content;
    }

    // The line of `raw` bytes at `start` is followed by its line feed.
    bytes::Readable Deliver(char* start, std::size_t raw) {
        const std::size_t content = DropCarriageReturn(start, raw);
        begin_ += raw + 1;
        return bytes::Readable::WithRoomBehind(start, content + 1);
    }

    bytes::Readable NextSlowly();

    char* buffer_;
    std::size_t begin_ = 0;
    std::size_t end_;
    LongLines long_lines_;
};

// A list's text that is a piece of a longer line, which goes on in the next text: the line readers cut such a
// line every kMaxText characters, and only a line's last text is shorter or ends with its line feed.
inline bool IsPiece(std::string_view text) {
    return text.size() == LineReader::kMaxText && text.back() != '\n';
}

}  // namespace kalderos
