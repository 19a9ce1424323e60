// Where the rows of a CSV input end: at a line feed outside quotes. Quotes are counted, not parsed: every quote
// opens or closes a quoted stretch (a doubled quote closes one and opens the next), so that a row's end is found
// by the count alone, and the reader that cuts blocks agrees with the reader of the fields (csv_fields.h) on every
// input, the malformed ones too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace kalderos {

// Which of the bytes of a mask (16 or 64) stand inside quotes, from the mask of the quotes among them and
// whether a quote was open before the first: bit i is the parity of the quotes up to byte i, so that the top bit
// says whether one is open after them. Line feeds and delimiters outside quotes are then found by masks alone,
// however many quotes a row holds.
template <class Mask>
constexpr Mask QuotedBytes(Mask quotes, bool open_before) {
    Mask inside = quotes;
    for (int shift = 1; shift < std::numeric_limits<Mask>::digits; shift *= 2) {
        inside = static_cast<Mask>(inside ^ (inside << shift));
    }
    return open_before ? static_cast<Mask>(~inside) : inside;
}
static_assert(QuotedBytes<std::uint16_t>(0b100101, false) == 0xFFE3 &&
              QuotedBytes<std::uint16_t>(0b100101, true) == 0x001C);

// Whether a quote is open after the bytes of QuotedBytes `inside`.
template <class Mask>
constexpr bool OpenAfter(Mask inside) {
    return (inside >> (std::numeric_limits<Mask>::digits - 1)) != 0;
}

// What the rows of `size` bytes at `data`, which start where a row starts, come to.
struct RowScan {
    std::size_t cut = 0;       // the bytes up to the last row end, 0 where no row ends
    bool open_quote = false;   // a quote is still open at `size`
    std::size_t quote_at = 0;  // then: where the quote that opened it stands
    std::size_t quoted_feeds = 0;  // the line feeds inside quotes (the others end rows)
};

// Scans the bytes, and puts where each row ends (its line feed) into `row_ends`, which it clears first; no
// byte past them is read.
RowScan ScanRows(const char* data, std::size_t size, std::vector<std::size_t>& row_ends);

}  // namespace kalderos
