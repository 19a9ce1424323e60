// Row ends by masks: the quotes and line feeds of sixteen or sixty-four bytes at once, and which of the bytes
// stand inside quotes from the quotes' mask, however many quotes a row holds.
#include "lists/csv_rows.h"

#include <bit>
#include <cstdint>
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

// Sixty-four bytes at a time where a block is scanned: a row of a few dozen bytes costs a fraction of a pass.
constexpr std::size_t kChunk = 64;

struct ChunkMarks {
    std::uint64_t quotes;
    std::uint64_t feeds;
};

ChunkMarks ChunkAt(const char* at) {
    ChunkMarks marks{0, 0};
    for (std::size_t part = 0; part < kChunk / kStretch; ++part) {
        const Marks stretch = MarksAt(at + part * kStretch, kStretch);
        marks.quotes |= std::uint64_t{stretch.quotes} << (part * kStretch);
        marks.feeds |= std::uint64_t{stretch.feeds} << (part * kStretch);
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

// QuotedBytes of sixty-four bytes.
std::uint64_t QuotedBytes64(std::uint64_t quotes, bool open_before) {
    std::uint64_t inside = quotes;
    for (int shift = 1; shift < 64; shift *= 2) inside ^= inside << shift;
    return open_before ? ~inside : inside;
}

}  // namespace

const char* RowEnd(const char* begin, const char* end) {
    bool quoted = false;
    for (const char* at = begin; at < end; at += kStretch) {
        const Marks marks = MarksAt(at, static_cast<std::size_t>(end - at));
        const unsigned inside = QuotedBytes(marks.quotes, quoted);
        const unsigned row_ends = marks.feeds & ~inside;
        if (row_ends != 0) return at + std::countr_zero(row_ends);
        quoted = OpenAfter(inside);
    }
    return end;
}

RowScan ScanRows(const char* data, std::size_t size, std::vector<std::size_t>& ends_found) {
    RowScan scan;
    ends_found.clear();
    bool quoted = false;
    for (std::size_t at = 0; at < size; at += kChunk) {
        const ChunkMarks marks = ChunkWithin(data + at, size - at);
        const std::uint64_t inside = QuotedBytes64(marks.quotes, quoted);
        const std::uint64_t row_ends = marks.feeds & ~inside;
        if (row_ends != 0) scan.cut = at + static_cast<std::size_t>(std::bit_width(row_ends));
        for (std::uint64_t ends = row_ends; ends != 0; ends &= ends - 1) {
            ends_found.push_back(at + static_cast<std::size_t>(std::countr_zero(ends)));
        }
        // Line feeds inside quotes are rare: counted one by one.
        for (std::uint64_t feeds = marks.feeds & inside; feeds != 0; feeds &= feeds - 1) ++scan.quoted_feeds;
        // The last quote is the one that leaves a quote open, if any is.
        if (marks.quotes != 0) scan.quote_at = at + static_cast<std::size_t>(std::bit_width(marks.quotes)) - 1;
        quoted = (inside >> 63) != 0;
    }
    scan.open_quote = quoted;
    return scan;
}

}  // namespace kalderos
