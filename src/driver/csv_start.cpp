// The header row, the column in it, and what ends a CSV input badly, as one-line messages.
#include "driver/csv_start.h"

#include <string_view>

#include "csv/csv_columns.h"
#include "csv/csv_reader.h"
#include "csv/csv_writer.h"
#include "io/diagnostics.h"
#include "rows/csv_column_choice.h"

namespace kalderos {

std::string CsvInputShown(const RunOptions& options) {
    if (options.list_file >= 0) return Quoted(options.list_file_path.View());
    return "standard input";
}

namespace {

// The input's first row, kept.
struct FirstRow {
    csv::PlainRow row;
    bool as_written = true;
    bool taken = false;

    bool TakeRow(const csv::Row& first) {
        for (const csv::Cell& cell : first.cells) {
            row.cells.push_back({std::string(cell.value), cell.quoted, cell.as_written});
        }
        row.end = first.end;
        row.open_quote = first.open_quote;
        as_written = first.as_written;
        taken = true;
        return false;
    }
};

}  // namespace

csv::Row CsvStart::HeaderRow(std::vector<csv::Cell>& cells) const {
    cells.clear();
    for (const csv::PlainCell& cell : header->cells) cells.push_back({cell.value, cell.quoted, cell.as_written});
    return {cells, header_bytes, header->end, header_as_written, header->open_quote};
}

CsvStart TakeCsvStart(BlockReader& reader, const RunOptions& options, CsvLayout& layout) {
    CsvStart start;
    layout.delimiter = options.output_delimiter != 0 ? options.output_delimiter : options.delimiter;
    ListBlock first;
    if (reader.Fill(first, true) != BlockReader::Filled::kBlock) return start;
    const std::string_view bytes(first.data.get(), first.size);
    start.byte_order_mark = bytes.starts_with(csv::kByteOrderMark);
    std::size_t from = start.byte_order_mark ? csv::kByteOrderMark.size() : 0;
    // A block holds a whole row, or the rest of the input: a mark alone is an empty input.
    if (from == bytes.size()) return start;
    start.has_rows = true;
    FirstRow row;
    csv::Reader first_row(options.delimiter);
    const std::size_t taken = first_row.Read(bytes.data() + from, bytes.size() - from, row);
    if (!row.taken) first_row.Finish(row);
    layout.line_end = csv::LineEndBytes(row.row.end);
    if (!options.header) {
        layout.width = row.row.cells.size();
        layout.column = options.column.number - 1;
        if (layout.column >= layout.width) {
            Diagnose(NoColumnNumbered(options.column.number, "the first row of " + CsvInputShown(options),
                                      layout.width));
            start.refused = true;
            return start;
        }
        reader.PutBack(first, from);
        return start;
    }
    // The header's bytes, its line end aside, as they stood.
    std::string_view header_bytes = bytes.substr(from, taken);
    header_bytes.remove_suffix(csv::LineEndBytes(row.row.end).size() * (row.row.end == csv::LineEnd::kNone ? 0 : 1));
    std::vector<std::string> names;
    for (const csv::PlainCell& cell : row.row.cells) names.push_back(cell.value);
    layout.width = names.size();
    const std::optional<std::string> refusal = ChooseColumn(
        names, header_bytes, {options.column.name, options.column.number, options.delimiter},
        "the header row of " + CsvInputShown(options), layout.column);
    if (refusal) {
        Diagnose(*refusal);
        start.refused = true;
        return start;
    }
    start.header_bytes = header_bytes;
    start.header_as_written = row.as_written;
    start.header = std::move(row.row);
    reader.PutBack(first, from + taken);
    return start;
}

std::optional<std::string> CsvInputProblem(const BlockReader& reader, const RunOptions& options) {
    const LongCsvRow long_row = reader.TooLongRow();
    constexpr std::size_t kMiB = BlockReader::kMaxCsvRowBytes >> 20;
    if (long_row.line != 0) {
        return CsvInputShown(options) + ":" + std::to_string(long_row.line) +
               (long_row.quoted ? ": a quoted field longer than " : ": a row longer than ") + std::to_string(kMiB) +
               " MiB";
    }
    if (reader.OpenQuoteLine() != 0) {
        return CsvInputShown(options) + ":" + std::to_string(reader.OpenQuoteLine()) +
               ": a quoted field is still open at the end of the input";
    }
    return std::nullopt;
}

}  // namespace kalderos
