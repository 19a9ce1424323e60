// The machine's table applied to one byte after another.
#include "csv/csv_plain.h"

#include "csv/csv_machine.h"

namespace kalderos::csv {

std::vector<PlainRow> ReadPlainRows(std::string_view input, char delimiter) {
    std::vector<PlainRow> rows;
    PlainRow row;
    PlainCell cell;
    State state = State::kRowStart;
    const auto end_cell = [&] {
        row.cells.push_back(std::move(cell));
        cell = {};
    };
    const auto end_row = [&](LineEnd end) {
        end_cell();
        row.end = end;
        rows.push_back(std::move(row));
        row = {};
    };
    for (const char c : input) {
        const Transition step = Step(state, c, delimiter);
        switch (step.action) {
            case Action::kAppendStray:
                cell.as_written = false;
                [[fallthrough]];
            case Action::kAppend:
                cell.value += c;
                break;
            case Action::kOpenQuote:
                cell.quoted = true;
                break;
            case Action::kCloseQuote:
                break;
            case Action::kDoubledQuote:
                cell.value += '"';
                break;
            case Action::kEndField:
                end_cell();
                break;
            case Action::kEndRow:
                end_row(c == '\n' ? LineEnd::kLf : LineEnd::kCr);
                break;
            case Action::kSkip:
                rows.back().end = LineEnd::kCrLf;
                break;
        }
        state = step.next;
    }
    switch (kAtEnd[static_cast<std::size_t>(state)]) {
        case AtEnd::kNothing:
            break;
        case AtEnd::kEndRowOpenQuote:
            cell.as_written = false;
            row.open_quote = true;
            [[fallthrough]];
        case AtEnd::kEndRow:
            end_row(LineEnd::kNone);
            break;
    }
    return rows;
}

RowEnds PlainRowEnds(const char* data, std::size_t size, char delimiter, bool complete) {
    RowEnds found;
    State state = State::kRowStart;
    std::size_t lines = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = data[i];
        const bool last = i + 1 == size;
        // Without the rest of the input, a carriage return as the last byte is nothing yet.
        if (c == '\r' && last && !complete) break;
        lines += c == '\n' || (c == '\r' && (last || data[i + 1] != '\n')) ? 1 : 0;
        const Transition step = Step(state, c, delimiter);
        if (step.action == Action::kOpenQuote) found.quote_at = i;
        // A row that a carriage return ends ends with the line feed after it, if one follows.
        const bool row_ended = step.action == Action::kSkip ||
                               (step.action == Action::kEndRow && (c == '\n' || last || data[i + 1] != '\n'));
        if (row_ended) {
            found.cut = i + 1;
            found.lines = lines;
        }
        state = step.next;
    }
    found.in_quotes = state == State::kQuoted;
    return found;
}

}  // namespace kalderos::csv
