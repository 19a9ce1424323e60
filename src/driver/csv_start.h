// The start of a CSV input, before any row is checked: its byte-order mark, its header row and the column
// --column names in it (or without a header, the first row's width), and the dialect its output keeps.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "csv/csv_plain.h"
#include "csv/csv_row.h"
#include "rows/csv_row_step.h"
#include "driver/run_state.h"
#include "lists/list_blocks.h"

namespace kalderos {

// The CSV input as a message names it: the list file, or standard input.
std::string CsvInputShown(const RunOptions& options);

struct CsvStart {
    bool refused = false;          // the input lacks the column: a message on standard error says so
    bool has_rows = false;         // the input holds a row, the header or a first row; else it is empty
    bool byte_order_mark = false;  // it starts with one, in UTF-8 or UTF-16
    std::optional<csv::PlainRow> header;
    std::string header_bytes;      // the header row as it stood
    bool header_as_written = true;

    // The header row as a reader hands it out, its cells kept in `cells`.
    [[nodiscard]] csv::Row HeaderRow(std::vector<csv::Cell>& cells) const;
};

// Takes the byte-order mark and, where the input has one, the header row from `reader`, and sets `layout`. A
// column the input lacks is refused with a message: a name no header cell has (and the delimiter under which
// it has it, where another one would find it), a name two cells have loosely and none exactly, a number past
// the header's (or first row's) last cell.
CsvStart TakeCsvStart(BlockReader& reader, const RunOptions& options, CsvLayout& layout);

// The message a CSV input that ended the reading badly comes to, once its rows were checked: a quote left open
// at its end, or a row too long to be held.
std::optional<std::string> CsvInputProblem(const BlockReader& reader, const RunOptions& options);

}  // namespace kalderos
