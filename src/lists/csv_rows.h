// Where the rows of a CSV input end: at a line feed outside quotes. Quotes are counted, not parsed: every quote
// opens or closes a quoted stretch (a doubled quote closes one and opens the next), so that a row's end is found
// by the count alone, and the reader that cuts blocks agrees with the reader of the fields (csv_fields.h) on every
// input, the malformed ones too.
#pragma once

#include <cstddef>

namespace kalderos {

// The end of the row that starts at `begin`: its line feed, or `end` when none outside quotes comes before it.
// The bytes from `end` on may be read up to 32 bytes past it.
const char* RowEnd(const char* begin, const char* end);

// What the rows of `size` bytes at `data`, which start where a row starts, come to.
struct RowScan {
    std::size_t cut = 0;             // the bytes up to the last row end, 0 where no row ends
    std::size_t feeds_to_cut = 0;    // the line feeds before `cut`, quoted ones too
    bool open_quote = false;         // a quote is still open at `size`
    std::size_t feeds_to_quote = 0;  // then: the line feeds before the quote that opened it
};

// Scans the bytes; no byte past them is read.
RowScan ScanRows(const char* data, std::size_t size);

}  // namespace kalderos
