// CSV input on any bytes against the plain machine, which steps through the table a byte at a time: the fast
// reader in pieces of random sizes gives the same rows and cells; the fast row-end scan the same cut, lines and
// open quote; and the list read in blocks of any size through reads of random sizes (UTF-16 decoded where it
// starts with its mark), each block's rows read on their own, the same rows and the same line for a quote left
// open. A row that stands as written is its cells written again.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "bytes/byte_vectors.h"
#include "csv/csv_machine.h"
#include "csv/csv_plain.h"
#include "csv/csv_reader.h"
#include "csv/csv_row_ends.h"
#include "csv/csv_writer.h"
#include "csv/utf16_text.h"
#include "fake_file.h"
#include "fuzz_check.h"
#include "lists/list_blocks.h"

namespace {

namespace csv = kalderos::csv;
using fuzz::FakeFile;
using fuzz::RegularFile;

struct Collected {
    char delimiter;
    std::vector<csv::PlainRow> rows;

    bool TakeRow(const csv::Row& row) {
        csv::PlainRow plain;
        std::string written;
        for (std::size_t i = 0; i < row.cells.size(); ++i) {
            const csv::Cell& cell = row.cells[i];
            char ahead[kalderos::bytes::kReadAhead];
            std::memcpy(ahead, cell.value.data(), sizeof ahead);
            plain.cells.push_back({std::string(cell.value), cell.quoted, cell.as_written});
            std::string bytes(csv::CellRoom(cell.value.size()), '\0');
            const char* const end = csv::PutCell(cell.value, cell.quoted, delimiter, bytes.data());
            bytes.resize(static_cast<std::size_t>(end - bytes.data()));
            written += (i > 0 ? std::string(1, delimiter) : "") + bytes;
        }
        FUZZ_REQUIRE(!row.cells.empty());
        if (row.as_written && row.raw.data() != nullptr) FUZZ_REQUIRE(written == row.raw);
        plain.end = row.end;
        plain.open_quote = row.open_quote;
        rows.push_back(std::move(plain));
        return true;
    }
};

// The next piece's size: mostly small, now and then the rest.
std::size_t NextPiece(std::uint64_t& state, std::size_t left) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return 1 + static_cast<std::size_t>((state >> 8) % ((state & 3) == 0 ? left : std::min<std::size_t>(left, 90)));
}

void FastReaderInPieces(const std::string& content, char delimiter, std::uint64_t seed,
                        const std::vector<csv::PlainRow>& plain) {
    Collected sink{delimiter, {}};
    csv::Reader reader(delimiter);
    for (std::size_t at = 0; at < content.size();) {
        const std::size_t size = NextPiece(seed, content.size() - at);
        std::vector<char> piece(size + kalderos::bytes::kReadAhead, '\0');
        std::memcpy(piece.data(), content.data() + at, size);
        FUZZ_REQUIRE(reader.Read(piece.data(), size, sink) == size);
        at += size;
    }
    reader.Finish(sink);
    FUZZ_REQUIRE(sink.rows == plain);
}

void BlocksOfRows(const std::string& content, char delimiter, std::uint64_t seed, std::size_t block_bytes) {
    // What the rows are read from: the text a UTF-16 file holds.
    std::string text = content;
    if (content.size() >= 2 && csv::Utf16Order(content[0], content[1])) {
        csv::Utf16Decoder decoder(*csv::Utf16Order(content[0], content[1]));
        text.assign(csv::Utf16Decoder::RoomFor(content.size()) + 6, '\0');
        std::size_t size = decoder.Decode(content.data(), content.size(), text.data());
        size += decoder.Finish(text.data() + size);
        text.resize(size);
    }
    const std::vector<csv::PlainRow> plain = csv::ReadPlainRows(text, delimiter);
    const csv::RowEnds whole = csv::PlainRowEnds(text.data(), text.size(), delimiter, true);
    const std::size_t open_quote_line =
        whole.in_quotes ? csv::CountLineEnds(text.data(), whole.quote_at) + 1 : 0;

    FakeFile file{content, seed, false};
    FakeFile::reading = &file;
    kalderos::BlockReader reader(RegularFile(), block_bytes, kalderos::CsvRows{delimiter}, FakeFile::Read);
    Collected sink{delimiter, {}};
    kalderos::ListBlock block;
    while (reader.Fill(block, true) == kalderos::BlockReader::Filled::kBlock) {
        csv::Reader rows(delimiter);
        FUZZ_REQUIRE(rows.Read(block.data.get(), block.size, sink) == block.size);
        rows.Finish(sink);
    }
    FUZZ_REQUIRE(sink.rows == plain);
    FUZZ_REQUIRE(reader.OpenQuoteLine() == open_quote_line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const std::uint64_t seed = provider.ConsumeIntegral<std::uint64_t>() | 1;
    const std::size_t block_bytes = provider.ConsumeIntegralInRange<std::size_t>(1, 4096);
    const char delimiter = provider.ConsumeBool() ? ',' : provider.ConsumeIntegral<char>();
    const std::string content = provider.ConsumeRemainingBytesAsString();
    if (!csv::CanDelimit(delimiter)) return 0;

    const std::vector<csv::PlainRow> plain = csv::ReadPlainRows(content, delimiter);
    FastReaderInPieces(content, delimiter, seed, plain);
    for (const bool complete : {true, false}) {
        FUZZ_REQUIRE(csv::ScanRowEnds(content.data(), content.size(), delimiter, complete) ==
                     csv::PlainRowEnds(content.data(), content.size(), delimiter, complete));
    }
    BlocksOfRows(content, delimiter, seed, block_bytes);
    return 0;
}
