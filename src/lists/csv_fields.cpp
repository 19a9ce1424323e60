// The values of fields with quotes in them.
#include "lists/csv_fields.h"

namespace kalderos {

bool QuotedWhole(std::string_view raw) {
    if (raw.size() < 2 || raw.front() != '"' || raw.back() != '"') return false;
    const std::string_view inside = raw.substr(1, raw.size() - 2);
    for (std::size_t at = inside.find('"'); at != std::string_view::npos; at = inside.find('"', at + 2)) {
        if (at + 1 == inside.size() || inside[at + 1] != '"') return false;
    }
    return true;
}

void AppendValue(std::string_view raw, std::vector<char>& value) {
    value.clear();
    bool quoted = false;
    // Where the last quoted stretch closed: a quote right after it opens the next one and stands for a quote.
    std::size_t closed_at = raw.size();
    for (std::size_t at = 0; at < raw.size(); ++at) {
        const char c = raw[at];
        if (c != '"') {
            value.push_back(c);
        } else if (quoted) {
            quoted = false;
            closed_at = at;
        } else {
            if (closed_at + 1 == at) value.push_back('"');
            quoted = true;
        }
    }
}

}  // namespace kalderos
