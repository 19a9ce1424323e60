// The quotes, delimiters and line ends of sixty-four bytes of CSV at once, one bit each, for the readers that go
// from one byte that does something to the next by counting bits rather than bytes.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "bytes/byte_marks.h"

namespace kalderos::csv {

inline constexpr unsigned kWindowBytes = 64;

// Bit i set where an odd number of the bits up to i is: which bytes stand between the quotes of RFC 4180 quoted
// parts, counting from a byte outside them.
constexpr std::uint64_t OddUpTo(std::uint64_t bits) {
    for (unsigned shift = 1; shift < kWindowBytes; shift *= 2) bits ^= bits << shift;
    return bits;
}
static_assert(OddUpTo(0b100101) == 0xFFFF'FFFF'FFFF'FFE3);

// The masks of the sixty-four bytes from `base` on; no byte at or past the end of the input's piece is read or
// marked.
struct Window {
    explicit Window(const char* at) : base(at), limit(at) {}

    const char* base;
    const char* limit;  // base + 64: the bytes from `base` on and before it are in the window
    std::uint64_t quotes = 0;
    std::uint64_t delimiters = 0;
    std::uint64_t line_ends = 0;
    std::uint64_t stops = 0;  // any of the three

    [[nodiscard]] bool Covers(const char* at) const { return at < limit; }

    void Load(const char* at, const char* end, char delimiter) {
        base = at;
        limit = at + kWindowBytes;
        const auto available = static_cast<std::size_t>(end - at);
        bytes::QuotesDelimitersLineEnds marks;
        std::uint64_t within = ~std::uint64_t{0};
        if (available >= kWindowBytes) {
            marks = bytes::FindQuotesDelimitersLineEnds(at, delimiter);
        } else {
            char copy[kWindowBytes];
            std::memcpy(copy, at, available);
            marks = bytes::FindQuotesDelimitersLineEnds(copy, delimiter);
            within = (std::uint64_t{1} << available) - 1;
        }
        quotes = marks.quotes & within;
        delimiters = marks.delimiters & within;
        line_ends = marks.line_ends & within;
        stops = quotes | delimiters | line_ends;
    }

    // The first quote at or after `from` (`quotes_only`), or the first quote, delimiter or line end; `end` where
    // none is before it.
    const char* Next(const char* from, const char* end, char delimiter, bool quotes_only) {
        for (;;) {
            if (from >= limit) {
                if (from >= end) return end;
                Load(from, end, delimiter);
            }
            const std::uint64_t marked = (quotes_only ? quotes : stops) & (~std::uint64_t{0} << (from - base));
            if (marked != 0) return base + std::countr_zero(marked);
            from = limit;
        }
    }
};

}  // namespace kalderos::csv
