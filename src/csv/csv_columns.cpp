// Matching a column's name, exactly or loosely.
#include "csv/csv_columns.h"

#include "bytes/char_class.h"
#include "csv/csv_reader.h"

namespace kalderos::csv {
namespace {

// A name as a person may type it for a header's: blanks around it and the case of ASCII letters aside.
std::string Loosely(std::string_view name) {
    std::string loose(bytes::TrimSpace(name));
    for (char& c : loose) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return loose;
}

// The values of the first row of `bytes`.
struct FirstRow {
    std::vector<std::string> names;
    bool TakeRow(const Row& row) {
        for (const Cell& cell : row.cells) names.emplace_back(cell.value);
        return false;
    }
};

}  // namespace

ColumnMatch MatchColumn(std::span<const std::string> names, std::string_view wanted) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == wanted) return {true, i, {}};
    }
    ColumnMatch match;
    const std::string loose = Loosely(wanted);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (Loosely(names[i]) == loose) match.alike.push_back(i);
    }
    if (match.alike.size() == 1) return {true, match.alike.front(), {}};
    if (match.alike.size() < 2) match.alike.clear();
    return match;
}

char DelimiterThatFinds(std::string_view header, std::string_view wanted, char delimiter) {
    for (const char other : {';', '\t', '|', ','}) {
        if (other == delimiter) continue;
        FirstRow first;
        Reader reader(other);
        if (reader.Read(header.data(), header.size(), first) == header.size()) reader.Finish(first);
        if (MatchColumn(first.names, wanted).found) return other;
    }
    return 0;
}

}  // namespace kalderos::csv
