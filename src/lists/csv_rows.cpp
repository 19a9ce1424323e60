// Row ends by masks: the quotes and line feeds of sixty-four bytes at once, and which of the bytes stand inside
// quotes from the quotes' mask, however many quotes a row holds.
#include "lists/csv_rows.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "bytes/byte_vectors.h"

namespace kalderos {
namespace {

// Sixty-four bytes at a time, four vectors of sixteen: a row of a few dozen bytes costs a fraction of a pass.
constexpr std::size_t kStretch = 16;
constexpr std::size_t kChunk = 64;

struct ChunkMarks {
    std::uint64_t quotes;
    std::uint64_t feeds;
};

ChunkMarks ChunkAt(const char* at) {
    ChunkMarks marks{0, 0};
    for (std::size_t part = 0; part < kChunk / kStretch; ++part) {
        const bytes::Bytes16 stretch = bytes::LoadSixteen(at + part * kStretch);
        marks.quotes |= std::uint64_t{bytes::FlagMask(bytes::BytesEqualTo(stretch, '"'))} << (part * kStretch);
        marks.feeds |= std::uint64_t{bytes::FlagMask(bytes::BytesEqualTo(stretch, '\n'))} << (part * kStretch);
    }
    return marks;
}

// The marks of the first `count` bytes at `at`, no byte past them read.
ChunkMarks ChunkWithin(const char* at, std::size_t count) {
    if (count >= kChunk) return ChunkAt(at);
    char copy[kChunk] = {};
    std::memcpy(copy, at, count);
    return ChunkAt(copy);
}

}  // namespace

RowScan ScanRows(const char* data, std::size_t size, std::vector<std::size_t>& ends_found) {
    RowScan scan;
    ends_found.clear();
    bool quoted = false;
    for (std::size_t at = 0; at < size; at += kChunk) {
        const ChunkMarks marks = ChunkWithin(data + at, size - at);
        const std::uint64_t inside = QuotedBytes(marks.quotes, quoted);
        const std::uint64_t row_ends = marks.feeds & ~inside;
        if (row_ends != 0) scan.cut = at + static_cast<std::size_t>(std::bit_width(row_ends));
        for (std::uint64_t ends = row_ends; ends != 0; ends &= ends - 1) {
            ends_found.push_back(at + static_cast<std::size_t>(std::countr_zero(ends)));
        }
        // Line feeds inside quotes are rare: counted one by one.
        for (std::uint64_t feeds = marks.feeds & inside; feeds != 0; feeds &= feeds - 1) ++scan.quoted_feeds;
        // The last quote is the one that leaves a quote open, if any is.
        if (marks.quotes != 0) scan.quote_at = at + static_cast<std::size_t>(std::bit_width(marks.quotes)) - 1;
        quoted = OpenAfter(inside);
    }
    scan.open_quote = quoted;
    return scan;
}

}  // namespace kalderos
