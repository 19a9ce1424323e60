// Writing CSV cells as the reader reads them back: a value that holds the delimiter, a quote or a line end is
// quoted whole, its quotes doubled, and so is a value that was quoted where it was read.
#pragma once

#include <cstddef>
#include <string_view>

#include "csv/csv_row.h"

namespace kalderos::csv {

// The UTF-8 byte-order mark a spreadsheet writes in front of a CSV export, and reads it as UTF-8 by.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The bytes of a line end; a row the input ended gets a line feed.
constexpr std::string_view LineEndBytes(LineEnd end) {
    switch (end) {
        case LineEnd::kCrLf:
            return "\r\n";
        case LineEnd::kCr:
            return "\r";
        case LineEnd::kLf:
        case LineEnd::kNone:
            break;
    }
    return "\n";
}

// Whether `value` must be quoted to be read back as one cell.
[[nodiscard]] bool NeedsQuotes(std::string_view value, char delimiter);

// The most bytes PutCell writes for a value of `size` bytes.
constexpr std::size_t CellRoom(std::size_t size) { return 2 * size + 2; }

// Writes `value` as a cell into `out`, which has CellRoom(value.size()) bytes: quoted where `quoted` or where it
// needs to be; returns the end.
char* PutCell(std::string_view value, bool quoted, char delimiter, char* out);

}  // namespace kalderos::csv
