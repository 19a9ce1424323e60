// The column a CSV input's header names, and the messages of a column it lacks.
#include "rows/csv_column_choice.h"

#include "csv/csv_columns.h"
#include "io/quoted.h"

namespace kalderos {
namespace {

// A count in decimal. (std::to_string would leave a table of its own among the shared library's exports.)
std::string Decimal(std::size_t value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

// The option that gives `delimiter`, as a shell takes it.
std::string DelimiterOption(char delimiter) {
    if (delimiter == '\t') return "--delimiter=tab";
    return "--delimiter='" + std::string(1, delimiter) + "'";
}

std::string CountOf(std::size_t count, std::string_view what) {
    return Decimal(count) + " " + std::string(what) + (count == 1 ? "" : "s");
}

// "2 'SSN' and 5 'Ssn'": columns by their numbers from 1 and their names.
std::string ColumnsShown(const std::vector<std::size_t>& columns, const std::vector<std::string>& names) {
    std::string shown;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) shown += i + 1 == columns.size() ? " and " : ", ";
        shown += Decimal(columns[i] + 1) + " " + Quoted(names[columns[i]]);
    }
    return shown;
}

}  // namespace

std::string NoColumnNumbered(std::size_t number, std::string_view shown, std::size_t width) {
    return "no column " + Decimal(number) + " in " + std::string(shown) + ", which has " +
           CountOf(width, "column");
}

std::optional<std::string> ChooseColumn(const std::vector<std::string>& names, std::string_view header_bytes,
                                        const CsvColumnAsked& asked, std::string_view shown_row,
                                        std::size_t& column) {
    const std::string shown(shown_row);
    if (asked.number != 0) {
        column = asked.number - 1;
        if (column < names.size()) return std::nullopt;
        return NoColumnNumbered(asked.number, shown, names.size());
    }
    const csv::ColumnMatch match = csv::MatchColumn(names, asked.name);
    if (match.found) {
        column = match.column;
        return std::nullopt;
    }
    if (!match.alike.empty()) {
        return "columns " + ColumnsShown(match.alike, names) + " of " + shown +
               (match.alike.size() == 2 ? " both" : " all") + " match " + Quoted(asked.name) +
               ": give the column's exact name or its number";
    }
    std::string columns;
    for (const std::string& name : names) columns += (columns.empty() ? "" : ", ") + Quoted(name);
    std::string message =
        "no column " + Quoted(asked.name) + " in " + shown + " (its columns: " + columns + ")";
    if (const char other = csv::DelimiterThatFinds(header_bytes, asked.name, asked.delimiter)) {
        message += "; to part its fields by " + (other == '\t' ? std::string("tabs") : Quoted({&other, 1})) +
                   ", give " + DelimiterOption(other);
    }
    return message;
}

}  // namespace kalderos
