// List-file line splitting over a large read buffer: no allocation and no library call per line but memchr.
#include "driver/line_reader.h"

#include <utility>

namespace kalderos {

LineReader::LineReader(ReadFunction read, void* context, std::size_t capacity, LongLines long_lines)
    : read_(read), context_(context), capacity_(std::max(capacity, kWindow * 2)), long_lines_(long_lines) {
    buffer_.reset(new char[capacity_ + kReadAhead]());
}

LineReader::LineReader(std::unique_ptr<char[]> filled, std::size_t size, LongLines long_lines)
    : read_(nullptr),
      context_(nullptr),
      buffer_(std::move(filled)),
      capacity_(size),
      long_lines_(long_lines),
      end_(size),
      at_end_(true) {}

void LineReader::Refill() {
    const std::size_t kept = end_ - begin_;
    if (kept == capacity_) {
        // Only a whole line longer than the buffer gets here; the new handler ends the run when memory is short.
        std::unique_ptr<char[]> larger(new char[capacity_ * 2 + kReadAhead]());
        std::memcpy(larger.get(), buffer_.get(), capacity_);
        buffer_ = std::move(larger);
        capacity_ *= 2;
    }
    std::memmove(buffer_.get(), buffer_.get() + begin_, kept);
    begin_ = 0;
    end_ = kept;
    const long got = read_(context_, buffer_.get() + end_, capacity_ - end_);
    if (got <= 0) {
        at_end_ = true;
        failed_ = got < 0;
    } else {
        end_ += static_cast<std::size_t>(got);
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
        if (long_lines_ == LongLines::kWhole) return NextLongLine();
        const std::size_t take = std::min(available, kMaxText);
        begin_ += take;
        return {start, take};
    }
}

std::string_view LineReader::NextLongLine() {
    // A line feed among the first kMaxText bytes would have ended a shorter text.
    std::size_t searched = kMaxText;
    for (;;) {
        char* const start = buffer_.get() + begin_;
        const std::size_t available = end_ - begin_;
        if (searched < available) {
            if (const void* found = std::memchr(start + searched, '\n', available - searched)) {
                return Deliver(start, static_cast<std::size_t>(static_cast<const char*>(found) - start));
            }
            searched = available;
        }
        if (at_end_) {
            begin_ = end_;
            return {start, available};
        }
        Refill();
    }
}

}  // namespace kalderos
