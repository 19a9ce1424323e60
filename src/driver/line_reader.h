// Splits a byte source into list-file texts: at most 259 characters each, the line feed kept, a carriage
// return before a line feed dropped, longer lines delivered in pieces.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

#include "ssn/byte_vectors.h"

namespace kalderos {

class LineReader {
public:
    static constexpr std::size_t kMaxText = 259;
    // Bytes that may be read from the start of every text handed out, however short it is: the checkers look
    // at a text's first bytes all at once.
    static constexpr std::size_t kReadAhead = 32;

    // Reads up to `size` bytes into `buffer`: the count, 0 at the end, -1 on a read error.
    using ReadFunction = long (*)(void* context, char* buffer, std::size_t size);

    enum class Status { Line, End, Error };

    LineReader(ReadFunction read, void* context, std::size_t capacity = std::size_t{1} << 17);

    // The next text, valid until the next call. After the data read before a read error has been
    // delivered, the error is reported once as Error.
    Status Next(std::string_view& text) {
        // Nearly every call finds a whole short line in the buffer, its line feed among the first 32 bytes;
        // everything else takes the long way.
        char* const start = buffer_.get() + begin_;
        const std::size_t available = end_ - begin_;
        unsigned feeds = text::FlagMask(text::BytesEqualTo(text::LoadSixteen(start), '\n')) |
                         text::FlagMask(text::BytesEqualTo(text::LoadSixteen(start + 16), '\n')) << 16;
        if (available < kReadAhead) feeds &= (1u << available) - 1;
        if (feeds != 0) {
            Deliver(start, static_cast<std::size_t>(std::countr_zero(feeds)), text);
            return Status::Line;
        }
        return NextSlowly(text);
    }

private:
    // A text of 259 characters can be told from a longer line only by looking two bytes further: a carriage
    // return and a line feed may still follow.
    static constexpr std::size_t kWindow = kMaxText + 2;

    // The line of `raw` bytes at `start` is followed by its line feed.
    void Deliver(char* start, std::size_t raw, std::string_view& text) {
        std::size_t content = raw;
        // Written only where needed: a checker reads the line's first bytes at once right after, which a store
        // among them would hold up.
        if (raw > 0 && start[raw - 1] == '\r') start[--content] = '\n';  // over the dropped carriage return
        text = {start, content + 1};
        begin_ += raw + 1;
    }

    Status NextSlowly(std::string_view& text);
    void Refill();

    ReadFunction read_;
    void* context_;
    std::unique_ptr<char[]> buffer_;  // the capacity and kReadAhead bytes behind it, all cleared once
    std::size_t capacity_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool at_end_ = false;
    bool failed_ = false;
};

}  // namespace kalderos
