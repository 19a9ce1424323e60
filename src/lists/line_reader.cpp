// The texts that are no short line with its line feed: long lines, and a list's last line without one.
#include "lists/line_reader.h"

#include <algorithm>
#include <cstring>

namespace kalderos {

bytes::Readable LineReader::NextSlowly() {
    char* const start = buffer_ + begin_;
    const std::size_t available = end_ - begin_;
    if (available == 0) return {};
    // A text of 259 characters is told from a longer line by the two bytes behind it: a carriage return and a
    // line feed may still follow.
    const std::size_t window = std::min(available, kMaxText + 2);
    if (const void* found = std::memchr(start, '\n', window)) {
        const auto raw = static_cast<std::size_t>(static_cast<const char*>(found) - start);
        const std::size_t content = raw > 0 && start[raw - 1] == '\r' ? raw - 1 : raw;
        if (content < kMaxText) return Deliver(start, raw);
    }
    if (long_lines_ == LongLines::kWhole) {
        // A line feed among the first kMaxText bytes would have ended a shorter text.
        const void* found = available > kMaxText ? std::memchr(start + kMaxText, '\n', available - kMaxText) : nullptr;
        if (found != nullptr) return Deliver(start, static_cast<std::size_t>(static_cast<const char*>(found) - start));
        begin_ = end_;
        return bytes::Readable::WithRoomBehind(start, available);
    }
    const std::size_t take = std::min(available, kMaxText);
    begin_ += take;
    return bytes::Readable::WithRoomBehind(start, take);
}

}  // namespace kalderos
