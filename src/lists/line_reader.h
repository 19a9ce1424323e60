// Splits a block of a list into its texts: the line feed kept, a carriage return before a line feed dropped,
// lines of more than 259 characters handed out in pieces of 259 or, for records, whole.
#pragma once

#include <bit>
#include <cstddef>
#include <string_view>

#include "bytes/byte_vectors.h"

namespace kalderos {

class LineReader {
public:
    static constexpr std::size_t kMaxText = 259;
    // Bytes that may be read from the start of every text handed out, however short it is: the checkers look
    // at a text's first bytes all at once.
    static constexpr std::size_t kReadAhead = bytes::kReadAhead;

    // What becomes of a line longer than kMaxText: pieces of kMaxText characters, or one text however long.
    enum class LongLines { kPieces, kWhole };

    // Hands out the texts of the `size` bytes at `bytes`, which hold kReadAhead cleared bytes behind them. The
    // bytes end where a line ends, or where a list ends, or between two pieces of a line.
    LineReader(char* bytes, std::size_t size, LongLines long_lines)
        : buffer_(bytes), end_(size), long_lines_(long_lines) {}

    // The next text; a view without data (its data() null) once the bytes are exhausted. Returned by value, so
    // that a loop over the texts keeps each one in registers.
    std::string_view Next() {
        // Nearly every call finds a whole short line, its line feed among the first 32 bytes; everything else
        // takes the long way.
        char* const start = buffer_ + begin_;
        const std::size_t available = end_ - begin_;
        unsigned feeds = bytes::FlagMask(bytes::BytesEqualTo(bytes::LoadSixteen(start), '\n')) |
                         bytes::FlagMask(bytes::BytesEqualTo(bytes::LoadSixteen(start + 16), '\n')) << 16;
        if (available < kReadAhead) feeds &= (1u << available) - 1;
        if (feeds != 0) return Deliver(start, static_cast<std::size_t>(std::countr_zero(feeds)));
        return NextSlowly();
    }

private:
    // The line of `raw` bytes at `start` is followed by its line feed.
    std::string_view Deliver(char* start, std::size_t raw) {
        std::size_t content = raw;
        // Written only where needed: a checker reads the line's first bytes at once right after, which a store
        // among them would hold up.
        if (raw > 0 && start[raw - 1] == '\r') start[--content] = '\n';  // over the dropped carriage return
        begin_ += raw + 1;
        return {start, content + 1};
    }

    std::string_view NextSlowly();

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
