// Where given bytes stand among sixty-four, as one bit each: the readers of CSV find the quotes, delimiters and
// line ends of a whole stretch at once, and then go from one to the next by counting bits, not bytes.
#pragma once

#include <cstdint>

#include "bytes/byte_vectors.h"

namespace kalderos::bytes {

// Bit i of each mask is set where byte i of the sixty-four is a quote, the delimiter, a line end (carriage
// return or line feed), a line feed.
struct QuotesDelimitersLineEnds {
    std::uint64_t quotes = 0;
    std::uint64_t delimiters = 0;
    std::uint64_t line_ends = 0;
    std::uint64_t feeds = 0;
};

// The quotes, delimiters and line ends among the sixty-four bytes at `at`, all readable.
inline QuotesDelimitersLineEnds FindQuotesDelimitersLineEnds(const char* at, char delimiter) {
    QuotesDelimitersLineEnds marks;
    for (int part = 0; part < 4; ++part) {
        const Bytes16 stretch = LoadSixteen(at + 16 * part);
        const int shift = 16 * part;
        const Bytes16 feeds = BytesEqualTo(stretch, '\n');
        marks.quotes |= std::uint64_t{FlagMask(BytesEqualTo(stretch, '"'))} << shift;
        marks.delimiters |= std::uint64_t{FlagMask(BytesEqualTo(stretch, delimiter))} << shift;
        marks.line_ends |= std::uint64_t{FlagMask(feeds | BytesEqualTo(stretch, '\r'))} << shift;
        marks.feeds |= std::uint64_t{FlagMask(feeds)} << shift;
    }
    return marks;
}

}  // namespace kalderos::bytes
