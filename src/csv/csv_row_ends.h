// Where the rows of a piece of CSV end, for the reader that cuts a list into blocks of whole rows: the same
// machine as every reader here (csv_machine.h), without the cells. The plain machine gives the same a byte at
// a time (PlainRowEnds, csv_plain.h); the fuzz harness holds the two equal on any bytes.
#pragma once

#include <cstddef>

namespace kalderos::csv {

// What the bytes of a piece that starts where a row starts come to.
struct RowEnds {
    std::size_t cut = 0;        // the bytes up to the end of the last row that ends among them; 0 where none does
    std::size_t lines = 0;      // the line ends among the first `cut` bytes: line feeds, and carriage returns
                                // that no line feed follows, inside quotes or not
    bool in_quotes = false;     // the bytes end inside the quoted part of a field
    std::size_t quote_at = 0;   // then: where the quote that opened it stands
    bool operator==(const RowEnds&) const = default;
};

// The row ends of the `size` bytes at `data`, which start where a row starts. Unless `complete` (no byte
// follows them), a row that ends in a carriage return as their last byte is not taken as ended: a line feed
// that belongs to its end may follow.
[[nodiscard]] RowEnds ScanRowEnds(const char* data, std::size_t size, char delimiter, bool complete);

// Line ends among the `size` bytes at `data`, as RowEnds counts them (a carriage return as the last byte is one).
[[nodiscard]] std::size_t CountLineEnds(const char* data, std::size_t size);

}  // namespace kalderos::csv
