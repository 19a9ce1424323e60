// Quoting a cell.
#include "csv/csv_writer.h"

#include <cstring>

namespace kalderos::csv {

bool NeedsQuotes(std::string_view value, char delimiter) {
    for (const char c : value) {
        if (c == delimiter || c == '"' || c == '\r' || c == '\n') return true;
    }
    return false;
}

char* PutCell(std::string_view value, bool quoted, char delimiter, char* out) {
    if (!quoted && !NeedsQuotes(value, delimiter)) {
        if (!value.empty()) std::memcpy(out, value.data(), value.size());
        return out + value.size();
    }
    *out++ = '"';
    for (const char c : value) {
        *out++ = c;
        if (c == '"') *out++ = '"';
    }
    *out++ = '"';
    return out;
}

}  // namespace kalderos::csv
