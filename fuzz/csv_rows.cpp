// CSV input on any bytes, read in reads of random sizes into blocks of any size, against a plain byte-by-byte
// reading of the same bytes: the same rows (a carriage return dropped only before a row's line feed), the same
// line for a quote left open, and the same fields and values of every row for any delimiter.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "bytes/byte_vectors.h"
#include "fake_file.h"
#include "fuzz_check.h"
#include "lists/csv_fields.h"
#include "lists/line_reader.h"
#include "lists/list_blocks.h"

namespace {

using kalderos::BlockReader;
using kalderos::LineReader;
using kalderos::ListBlock;

using fuzz::FakeFile;
using fuzz::RegularFile;

struct PlainReading {
    std::vector<std::string> rows;
    std::size_t open_quote_line = 0;
};

// Every quote opens or closes a quoted stretch; a line feed outside one ends a row.
PlainReading PlainRows(std::string_view content) {
    PlainReading reading;
    std::string row;
    bool quoted = false;
    std::size_t line = 1;
    std::size_t quote_line = 0;
    for (const char c : content) {
        row += c;
        if (c == '"') {
            quoted = !quoted;
            quote_line = line;
        }
        if (c != '\n') continue;
        ++line;
        if (quoted) continue;
        if (row.size() >= 2 && row[row.size() - 2] == '\r') row.erase(row.size() - 2, 1);
        reading.rows.push_back(row);
        row.clear();
    }
    if (quoted) {
        reading.open_quote_line = quote_line;
    } else if (!row.empty()) {
        reading.rows.push_back(row);
    }
    return reading;
}

// A row's field values, a byte at a time: a doubled quote inside a quoted stretch is a quote.
std::vector<std::string> PlainValues(std::string_view row, char delimiter) {
    std::vector<std::string> values(1);
    bool quoted = false;
    for (std::size_t at = 0; at < row.size(); ++at) {
        const char c = row[at];
        if (c == '"') {
            if (quoted && at + 1 < row.size() && row[at + 1] == '"') {
                values.back() += '"';
                ++at;
                continue;
            }
            quoted = !quoted;
        } else if (c == delimiter && !quoted) {
            values.emplace_back();
        } else {
            values.back() += c;
        }
    }
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const std::uint64_t seed = provider.ConsumeIntegral<std::uint64_t>() | 1;
    const std::size_t block_bytes = provider.ConsumeIntegralInRange<std::size_t>(1, 4096);
    const char delimiter = provider.ConsumeBool() ? ',' : provider.ConsumeIntegral<char>();
    const std::string content = provider.ConsumeRemainingBytesAsString();
    if (delimiter == '"' || delimiter == '\n') return 0;

    FakeFile file{content, seed, false};
    FakeFile::reading = &file;
    BlockReader reader(RegularFile(), block_bytes, LineReader::LongLines::kCsvRows, FakeFile::Read);
    const PlainReading plain = PlainRows(content);
    std::size_t row_count = 0;
    ListBlock block;
    std::vector<char> value;
    while (reader.Fill(block, true) == BlockReader::Filled::kBlock) {
        LineReader rows = block.Lines(LineReader::LongLines::kCsvRows);
        for (std::string_view row = rows.Next(); row.data() != nullptr; row = rows.Next()) {
            FUZZ_REQUIRE(row_count < plain.rows.size() && row == plain.rows[row_count]);
            ++row_count;
            const std::string_view content_of_row = kalderos::RowContent(row);
            std::vector<std::string> values;
            kalderos::ForEachField(content_of_row, delimiter, [&](const kalderos::CsvField& field) {
                FUZZ_REQUIRE(field.has_quote == (field.raw.find('"') != std::string_view::npos));
                FUZZ_REQUIRE(kalderos::QuotedWholeReadable(field.raw) == kalderos::QuotedWhole(field.raw));
                kalderos::AppendValue(field.raw, value);
                values.emplace_back(value.data(), value.size());
                return true;
            });
            // Read by the quotes' count, a doubled quote in a stretch closes it and opens the next at once: the
            // plain reading's quote.
            FUZZ_REQUIRE(values == PlainValues(content_of_row, delimiter));
        }
    }
    FUZZ_REQUIRE(row_count == plain.rows.size());
    FUZZ_REQUIRE(reader.OpenQuoteLine() == plain.open_quote_line);
    return 0;
}
