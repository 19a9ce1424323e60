// Row ends sixteen bytes at a time: most stretches of a CSV file hold neither a quote nor a line feed, and a
// stretch without a quote is settled by its masks alone.
#include "lists/csv_rows.h"

#include <bit>
#include <cstring>

#include "bytes/byte_vectors.h"

namespace kalderos {
namespace {

constexpr std::size_t kStretch = 16;

struct Marks {
    unsigned quotes;
    unsigned feeds;
};

// The quotes and line feeds among the first `count` (at most kStretch) bytes at `at`, which may be read to a
// whole stretch.
Marks MarksAt(const char* at, std::size_t count) {
    const bytes::Bytes16 stretch = bytes::LoadSixteen(at);
    const unsigned inside = count >= kStretch ? 0xFFFFu : (1u << count) - 1;
    return {bytes::FlagMask(bytes::BytesEqualTo(stretch, '"')) & inside,
            bytes::FlagMask(bytes::BytesEqualTo(stretch, '\n')) & inside};
}

// The same where no byte past `count` may be read.
Marks MarksWithin(const char* at, std::size_t count) {
    if (count >= kStretch) return MarksAt(at, count);
    char copy[kStretch] = {};
    std::memcpy(copy, at, count);
    return MarksAt(copy, count);
}

}  // namespace

const char* RowEnd(const char* begin, const char* end) {
    bool quoted = false;
    for (const char* at = begin; at < end; at += kStretch) {
        const Marks marks = MarksAt(at, static_cast<std::size_t>(end - at));
        unsigned events = marks.quotes | marks.feeds;
        while (events != 0) {
            const unsigned bit = events & (0u - events);
            if ((marks.quotes & bit) != 0) {
                quoted = !quoted;
            } else if (!quoted) {
                return at + std::countr_zero(bit);
            }
            events &= events - 1;
        }
    }
    return end;
}

RowScan ScanRows(const char* data, std::size_t size) {
    RowScan scan;
    bool quoted = false;
    std::size_t feeds = 0;
    std::size_t quote_at_feeds = 0;
    for (std::size_t at = 0; at < size; at += kStretch) {
        const Marks marks = MarksWithin(data + at, size - at);
        if (marks.quotes == 0) {
            // The usual stretch: its last line feed ends a row unless a quote is open.
            if (!quoted && marks.feeds != 0) {
                scan.cut = at + static_cast<std::size_t>(std::bit_width(marks.feeds));
                scan.feeds_to_cut = feeds + static_cast<std::size_t>(std::popcount(marks.feeds));
            }
            feeds += static_cast<std::size_t>(std::popcount(marks.feeds));
            continue;
        }
        for (unsigned events = marks.quotes | marks.feeds; events != 0; events &= events - 1) {
            const unsigned bit = events & (0u - events);
            if ((marks.quotes & bit) != 0) {
                quoted = !quoted;
                quote_at_feeds = feeds;
                continue;
            }
            ++feeds;
            if (!quoted) {
                scan.cut = at + static_cast<std::size_t>(std::countr_zero(bit)) + 1;
                scan.feeds_to_cut = feeds;
            }
        }
    }
    scan.open_quote = quoted;
    scan.feeds_to_quote = quote_at_feeds;
    return scan;
}

}  // namespace kalderos
