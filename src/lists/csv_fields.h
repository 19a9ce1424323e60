// The fields of a CSV row. A field ends at a delimiter outside quotes; its value is its bytes without the quotes
// that open and close quoted stretches, a doubled quote inside one standing for a quote. RFC 4180 quotes a field
// whole ("Smith, John"); a quote inside an unquoted field is read by the same count (ab"c,d"e is abc,de), as the
// reader of the rows' ends counts it (csv_rows.h).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "bytes/byte_vectors.h"
#include "lists/csv_rows.h"

namespace kalderos {

struct CsvField {
    std::string_view raw;    // as it stands in the row, quotes and all
    bool has_quote = false;  // `raw` holds a quote, so that its value differs from it
};

// Hands each field of `row` (its line end dropped, bytes::kReadAhead bytes past its end readable) to
// `use(const CsvField&)`, which returns false to stop; a row has at least one field, an empty row one empty
// field. Returns whether a carriage return stood in the row. One pass, sixteen bytes at a time: the delimiters
// outside quotes end the fields, and the quotes before each end are the field's.
template <class Use>
bool ForEachField(std::string_view row, char delimiter, Use&& use) {
    const char* const data = row.data();
    const std::size_t size = row.size();
    unsigned returns = 0;
    bool quoted = false;
    bool field_quoted = false;  // a quote stood in the field's bytes of the stretches before
    std::size_t start = 0;
    for (std::size_t at = 0; at < size; at += 16) {
        const bytes::Bytes16 stretch = bytes::LoadSixteen(data + at);
        const unsigned inside = size - at >= 16 ? 0xFFFFu : (1u << (size - at)) - 1;
        unsigned quotes = bytes::FlagMask(bytes::BytesEqualTo(stretch, '"')) & inside;
        returns |= bytes::FlagMask(bytes::BytesEqualTo(stretch, '\r')) & inside;
        const std::uint16_t in_quotes = QuotedBytes(static_cast<std::uint16_t>(quotes), quoted);
        unsigned ends = bytes::FlagMask(bytes::BytesEqualTo(stretch, delimiter)) & inside & ~unsigned{in_quotes};
        for (; ends != 0; ends &= ends - 1) {
            const int width = std::countr_zero(ends);
            const unsigned before = (1u << width) - 1;
            const std::size_t end = at + static_cast<std::size_t>(width);
            if (!use(CsvField{{data + start, end - start}, field_quoted || (quotes & before) != 0})) {
                return returns != 0;
            }
            quotes &= ~before;
            field_quoted = false;
            start = end + 1;
        }
        field_quoted = field_quoted || quotes != 0;
        quoted = OpenAfter(in_quotes);
    }
    use(CsvField{{data + start, size - start}, field_quoted});
    return returns != 0;
}

// A field quoted whole, "...", with only doubled quotes inside: as RFC 4180 writes a field, so that its raw
// bytes are its own CSV form.
[[nodiscard]] bool QuotedWhole(std::string_view raw);

// The same of a field from whose start bytes::kReadAhead bytes may be read: the usual quoted field, short and
// without a quote inside, is told by its mask of quotes alone.
[[nodiscard]] inline bool QuotedWholeReadable(std::string_view raw) {
    const std::size_t size = raw.size();
    if (size < 2 || size > bytes::kReadAhead) return QuotedWhole(raw);
    const std::uint32_t quotes = bytes::FlagMask(bytes::BytesEqualTo(bytes::LoadSixteen(raw.data()), '"')) |
                                 bytes::FlagMask(bytes::BytesEqualTo(bytes::LoadSixteen(raw.data() + 16), '"')) << 16;
    const std::uint32_t ends = 1u | std::uint32_t{1} << (size - 1);
    const std::uint32_t within = static_cast<std::uint32_t>((std::uint64_t{1} << size) - 1);
    return (quotes & within) == ends || QuotedWhole(raw);
}

// The value of a field with quotes, appended to `value` (cleared first).
void AppendValue(std::string_view raw, std::vector<char>& value);

// A row as the line reader hands it out (a carriage return before its line feed already dropped) without its
// line feed.
[[nodiscard]] inline std::string_view RowContent(std::string_view row) {
    if (!row.empty() && row.back() == '\n') row.remove_suffix(1);
    return row;
}

}  // namespace kalderos
