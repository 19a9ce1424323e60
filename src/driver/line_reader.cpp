// List-file line splitting over a large read buffer: no allocation and no library call per line but memchr.
#include "driver/line_reader.h"

#include <algorithm>
#include <cstring>

namespace kalderos {
namespace {

// A text of 259 characters can be told from a longer line only by looking two bytes further: a carriage
// return and a line feed may still follow.
constexpr std::size_t kWindow = LineReader::kMaxText + 2;

}  // namespace

LineReader::LineReader(ReadFunction read, void* context, std::size_t capacity)
    : read_(read), context_(context), buffer_(std::max(capacity, kWindow * 2)) {}

void LineReader::Refill() {
    const std::size_t kept = end_ - begin_;
    std::memmove(buffer_.data(), buffer_.data() + begin_, kept);
    begin_ = 0;
    end_ = kept;
    while (end_ < kWindow && !at_end_) {
        const long got = read_(context_, buffer_.data() + end_, buffer_.size() - end_);
        if (got <= 0) {
            at_end_ = true;
            failed_ = got < 0;
        } else {
            end_ += static_cast<std::size_t>(got);
        }
    }
}

LineReader::Status LineReader::Next(std::string_view& text) {
    for (;;) {
        char* const start = buffer_.data() + begin_;
        const std::size_t available = end_ - begin_;
        const std::size_t window = std::min(available, kWindow);
        if (const void* found = std::memchr(start, '\n', window)) {
            const std::size_t raw = static_cast<std::size_t>(static_cast<const char*>(found) - start);
            const std::size_t content = raw > 0 && start[raw - 1] == '\r' ? raw - 1 : raw;
            if (content < kMaxText) {
                start[content] = '\n';  // over the dropped carriage return, if there was one
                text = {start, content + 1};
                begin_ += raw + 1;
                return Status::Line;
            }
        } else if (window < kWindow && !at_end_) {
            Refill();
            continue;
        }
        if (available == 0) return failed_ ? Status::Error : Status::End;
        const std::size_t take = std::min(available, kMaxText);
        text = {start, take};
        begin_ += take;
        return Status::Line;
    }
}

}  // namespace kalderos
