// The header row, the column in it, and what ends a CSV input badly, as one-line messages.
#include "driver/csv_start.h"

#include <string_view>

#include "csv/csv_columns.h"
#include "csv/csv_reader.h"
#include "csv/csv_writer.h"
#include "io/diagnostics.h"

namespace kalderos {
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

// The option that gives `delimiter`, as a shell takes it.
std::string DelimiterOption(char delimiter) {
    if (delimiter == '\t') return "--delimiter=tab";
    return "--delimiter='" + std::string(1, delimiter) + "'";
}

std::string CountOf(std::size_t count, std::string_view what) {
    return std::to_string(count) + " " + std::string(what) + (count == 1 ? "" : "s");
}

// "2 'SSN' and 5 'Ssn'": columns by their numbers from 1 and their names.
std::string ColumnsShown(const std::vector<std::size_t>& columns, const std::vector<std::string>& names) {
    std::string shown;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) shown += i + 1 == columns.size() ? " and " : ", ";
        shown += std::to_string(columns[i] + 1) + " " + Quoted(names[columns[i]]);
    }
    return shown;
}

// The column --column names among the header row's cells; false, with a message, where there is none.
bool FindColumn(const csv::PlainRow& header, std::string_view header_bytes, const RunOptions& options,
                CsvLayout& layout) {
    std::vector<std::string> names;
    for (const csv::PlainCell& cell : header.cells) names.push_back(cell.value);
    layout.width = names.size();
    const std::string shown = "the header row of " + CsvInputShown(options);
    if (options.column.number != 0) {
        layout.column = options.column.number - 1;
        if (layout.column < names.size()) return true;
        Diagnose("no column " + std::to_string(options.column.number) + " in " + shown + ", which has " +
                 CountOf(names.size(), "column"));
        return false;
    }
    const csv::ColumnMatch match = csv::MatchColumn(names, options.column.name);
    if (match.found) {
        layout.column = match.column;
        return true;
    }
    if (!match.alike.empty()) {
        Diagnose("columns " + ColumnsShown(match.alike, names) + " of " + shown +
                 (match.alike.size() == 2 ? " both" : " all") + " match " + Quoted(options.column.name) +
                 ": give the column's exact name or its number");
        return false;
    }
    std::string columns;
    for (const std::string& name : names) columns += (columns.empty() ? "" : ", ") + Quoted(name);
    std::string message =
        "no column " + Quoted(options.column.name) + " in " + shown + " (its columns: " + columns + ")";
    if (const char other = csv::DelimiterThatFinds(header_bytes, options.column.name, options.delimiter)) {
        message += "; to part its fields by " + (other == '\t' ? std::string("tabs") : Quoted({&other, 1})) +
                   ", give " + DelimiterOption(other);
    }
    Diagnose(message);
    return false;
}

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
            Diagnose("no column " + std::to_string(options.column.number) + " in the first row of " +
                     CsvInputShown(options) + ", which has " + CountOf(layout.width, "column"));
            start.refused = true;
            return start;
        }
        reader.PutBack(first, from);
        return start;
    }
    // The header's bytes, its line end aside, as they stood.
    std::string_view header_bytes = bytes.substr(from, taken);
    header_bytes.remove_suffix(csv::LineEndBytes(row.row.end).size() * (row.row.end == csv::LineEnd::kNone ? 0 : 1));
    if (!FindColumn(row.row, header_bytes, options, layout)) {
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
