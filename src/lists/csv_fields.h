// The fields of a CSV row. A field ends at a delimiter outside quotes; its value is its bytes without the quotes
// that open and close quoted stretches, a doubled quote inside one standing for a quote. RFC 4180 quotes a field
// whole ("Smith, John"); a quote inside an unquoted field is read by the same count (ab"c,d"e is abc,de), as the
// reader of the rows' ends counts it (csv_rows.h).
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace kalderos {

struct CsvField {
    std::string_view raw;    // as it stands in the row, quotes and all
    bool has_quote = false;  // `raw` holds a quote, so that its value differs from it
};

class CsvFields {
public:
    // The fields of `row`, its line end dropped.
    CsvFields(std::string_view row, char delimiter) : at_(row.data()), end_(row.data() + row.size()), delimiter_(delimiter) {}

    // The next field; false once the row is exhausted. A row has at least one field, an empty row one empty field.
    bool Next(CsvField& field) {
        if (done_) return false;
        const char* const start = at_;
        bool quoted = false;
        bool has_quote = false;
        for (; at_ < end_; ++at_) {
            const char c = *at_;
            if (c == '"') {
                quoted = !quoted;
                has_quote = true;
            } else if (c == delimiter_ && !quoted) {
                field = {{start, static_cast<std::size_t>(at_ - start)}, has_quote};
                ++at_;
                return true;
            }
        }
        done_ = true;
        field = {{start, static_cast<std::size_t>(at_ - start)}, has_quote};
        return true;
    }

private:
    const char* at_;
    const char* end_;
    char delimiter_;
    bool done_ = false;
};

// A field quoted whole, "...", with only doubled quotes inside: as RFC 4180 writes a field, so that its raw
// bytes are its own CSV form.
[[nodiscard]] bool QuotedWhole(std::string_view raw);

// The value of a field with quotes, appended to `value` (cleared first).
void AppendValue(std::string_view raw, std::vector<char>& value);

// A row without its line end: the line feed, and a carriage return before it.
[[nodiscard]] inline std::string_view RowContent(std::string_view row) {
    if (!row.empty() && row.back() == '\n') row.remove_suffix(1);
    if (!row.empty() && row.back() == '\r') row.remove_suffix(1);
    return row;
}

}  // namespace kalderos
