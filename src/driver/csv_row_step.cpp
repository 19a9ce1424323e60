// The header row of a CSV input, and the column --column names in it.
#include "driver/csv_row_step.h"

#include "bytes/char_class.h"
#include "io/diagnostics.h"

namespace kalderos {
namespace {

// A name as a person may type it for a header's: blanks around it and the case of ASCII letters aside.
std::string Loosely(std::string_view name) {
    std::string loose(bytes::TrimSpace(name));
    for (char& c : loose) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return loose;
}

// The column of that name: the one named exactly so, else the only one named so loosely; names.size() for none.
std::size_t ColumnNamed(const std::vector<std::string>& names, const std::string& wanted) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == wanted) return i;
    }
    std::size_t found = names.size();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (Loosely(names[i]) != Loosely(wanted)) continue;
        if (found != names.size()) return names.size();  // two would be a guess
        found = i;
    }
    return found;
}

}  // namespace

std::string CsvInputShown(const RunOptions& options) {
    if (options.list_file >= 0) return Quoted(options.list_file_path.View());
    return "standard input";
}

std::vector<std::string> CsvValues(std::string_view row, char delimiter) {
    std::vector<std::string> values;
    std::vector<char> value;
    ForEachField(row, delimiter, [&](const CsvField& field) {
        if (!field.has_quote) {
            values.emplace_back(field.raw);
            return true;
        }
        AppendValue(field.raw, value);
        values.emplace_back(value.data(), value.size());
        return true;
    });
    return values;
}

bool FindCsvColumn(const std::vector<std::string>& names, const RunOptions& options, CsvLayout& layout) {
    layout.width = names.size();
    if (options.column.number != 0) {
        layout.column = options.column.number - 1;
        return true;
    }
    layout.column = ColumnNamed(names, options.column.name);
    if (layout.column < names.size()) return true;
    std::string columns;
    for (const std::string& name : names) columns += (columns.empty() ? "" : ", ") + Quoted(name);
    Diagnose("no column " + Quoted(options.column.name) + " in the header row of " + CsvInputShown(options) +
             " (its columns: " + columns + ")");
    return false;
}

}  // namespace kalderos
