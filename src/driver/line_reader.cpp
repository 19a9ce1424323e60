// List-file line splitting over a large read buffer: no allocation and no library call per line but memchr.
#include "driver/line_reader.h"

namespace kalderos {

LineReader::LineReader(ReadFunction read, void* context, std::size_t capacity)
    : read_(read), context_(context), capacity_(std::max(capacity, kWindow * 2)) {
    buffer_.reset(new char[capacity_ + kReadAhead]());
}

void LineReader::Refill() {
    const std::size_t kept = end_ - begin_;
    std::memmove(buffer_.get(), buffer_.get() + begin_, kept);
    begin_ = 0;
    end_ = kept;
    while (end_ < kWindow && !at_end_) {
        const long got = read_(context_, buffer_.get() + end_, capacity_ - end_);
        if (got <= 0) {
            at_end_ = true;
            failed_ = got < 0;
        } else {
            end_ += static_cast<std::size_t>(got);
        }
    }
}

std::string_view LineReader::NextSlowly() {
    for (;;) {
        char* const start = buffer_.get() + begin_;
        const std::size_t available = end_ - begin_;
        const std::size_t window = std::min(available, kWindow);
        if (const void* found = std::memchr(start, '\n', window)) {
            const auto raw = static_cast<std::size_t>(static_cast<const char*>(found) - start);
            const std::size_t content = raw > 0 && start[raw - 1] == '\r' ? raw - 1 : raw;
            if (content < kMaxText) return Deliver(start, raw);
        } else if (window < kWindow && !at_end_) {
            Refill();
            continue;
        }
        if (available == 0) return {};
        const std::size_t take = std::min(available, kMaxText);
        begin_ += take;
        return {start, take};
    }
}

}  // namespace kalderos
