// The CSV machine stepped through a byte at a time, as its table (csv_machine.h) says: slow and plain, the
// measure the fast readers are held to by the tests and the fuzz harness.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "csv/csv_row.h"
#include "csv/csv_row_ends.h"

namespace kalderos::csv {

struct PlainCell {
    std::string value;
    bool quoted = false;
    bool as_written = true;
    bool operator==(const PlainCell&) const = default;
};

struct PlainRow {
    std::vector<PlainCell> cells;
    LineEnd end = LineEnd::kNone;
    bool open_quote = false;
    bool operator==(const PlainRow&) const = default;
};

// Every row of `input`.
[[nodiscard]] std::vector<PlainRow> ReadPlainRows(std::string_view input, char delimiter);

// ScanRowEnds, a byte at a time.
[[nodiscard]] RowEnds PlainRowEnds(const char* data, std::size_t size, char delimiter, bool complete);

}  // namespace kalderos::csv
