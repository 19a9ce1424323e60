// Splits a byte source into list-file texts: the line feed kept, a carriage return before a line feed dropped,
// lines of more than 259 characters delivered in pieces of 259 or, for records, whole. A line is handed out as
// soon as it has arrived: from a pipe or a terminal the next one may come much later.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

#include "bytes/byte_vectors.h"

namespace kalderos {

class LineReader {
public:
    static constexpr std::size_t kMaxText = 259;
    // Bytes that may be read from the start of every text handed out, however short it is: the checkers look
    // at a text's first bytes all at once.
    static constexpr std::size_t kReadAhead = bytes::kReadAhead;

    // Reads up to `size` bytes into `buffer`: the count, 0 at the end, -1 on a read error.
    using ReadFunction = long (*)(void* context, char* buffer, std::size_t size);

    // What becomes of a line longer than kMaxText: pieces of kMaxText characters, or one text however long
    // (the buffer grows to hold it).
    enum class LongLines { kPieces, kWhole };

    static constexpr std::size_t kDefaultCapacity = std::size_t{1} << 17;

    LineReader(ReadFunction read, void* context, std::size_t capacity = kDefaultCapacity,
               LongLines long_lines = LongLines::kPieces);

    // Hands out the texts of the `size` bytes in `filled`, which holds kReadAhead cleared bytes behind them:
    // nothing is read. Release gives the buffer back; the texts handed out stay where they are.
    LineReader(std::unique_ptr<char[]> filled, std::size_t size, LongLines long_lines);
    [[nodiscard]] std::unique_ptr<char[]> Release() { return std::move(buffer_); }

    // The next text, valid until the next call; a view without data (its data() null) once the input is
    // exhausted, which Failed() then tells apart from a read error. Everything read before an error is handed
    // out first. Returned by value, so that a loop over the texts keeps each one in registers.
    std::string_view Next() {
        // Nearly every call finds a whole short line in the buffer, its line feed among the first 32 bytes;
        // everything else takes the long way.
        char* const start = buffer_.get() + begin_;
        const std::size_t available = end_ - begin_;
        unsigned feeds = bytes::FlagMask(bytes::BytesEqualTo(bytes::LoadSixteen(start), '\n')) |
                         bytes::FlagMask(bytes::BytesEqualTo(bytes::LoadSixteen(start + 16), '\n')) << 16;
        if (available < kReadAhead) feeds &= (1u << available) - 1;
        if (feeds != 0) return Deliver(start, static_cast<std::size_t>(std::countr_zero(feeds)));
        return NextSlowly();
    }

    // Once Next() has come to the end: whether a read error ended the input rather than the end of the file.
    [[nodiscard]] bool Failed() const { return failed_; }

private:
    // A text of 259 characters can be told from a longer line only by looking two bytes further: a carriage
    // return and a line feed may still follow.
    static constexpr std::size_t kWindow = kMaxText + 2;

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
    // A line longer than kMaxText, taken whole.
    std::string_view NextLongLine();
    // Moves what is left to the front and reads once (a pipe hands out what it has), growing the buffer first
    // when a whole line fills it.
    void Refill();

    ReadFunction read_;
    void* context_;
    std::unique_ptr<char[]> buffer_;  // the capacity and kReadAhead bytes behind it, all cleared once
    std::size_t capacity_;
    LongLines long_lines_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool at_end_ = false;
    bool failed_ = false;
};

}  // namespace kalderos
