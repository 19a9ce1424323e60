// A list read in blocks that end where lines end, or where CSV rows end, so that each block's texts can be
// checked on their own: by the thread that reads, or by threads beside it, whose output is then written in the
// list's order.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "csv/utf16_text.h"
#include "lists/line_reader.h"
#include "platform/platform.h"

namespace kalderos {

struct ListBlock {
    std::unique_ptr<char[]> data;  // `size` bytes of whole lines (the last block's last line may lack its end),
                                   // then bytes::kReadAhead cleared bytes
    std::size_t capacity = 0;      // room for bytes in front of the cleared ones
    std::size_t size = 0;
    bool continues_line = false;   // starts with a piece of a line begun in the block before

    [[nodiscard]] LineReader Lines(LineReader::LongLines long_lines) const { return {data.get(), size, long_lines}; }
    [[nodiscard]] bytes::Readable Bytes() const { return bytes::Readable::WithRoomBehind(data.get(), size); }
};

// A CSV input: blocks hold whole rows, which end only outside quotes.
struct CsvRows {
    char delimiter = ',';
};

// A CSV row too long to be held: the line where it began, or where the quoted field it ended in opened.
struct LongCsvRow {
    std::size_t line = 0;  // from 1; 0 for none
    bool quoted = false;   // it ended inside a quoted field
};

// Whether a list's byte-order mark is read as one, or its bytes as they stand.
enum class ListMarks { kAsBytes, kRead };

class BlockReader {
public:
    enum class Filled { kBlock, kNotYet, kExhausted };
    // Reads up to `size` bytes of `fd`: the count, 0 at the end, -1 on a read error.
    using ReadFunction = long (*)(int fd, char* buffer, std::size_t size);
    // The most a CSV row may hold: a block grows to hold a whole row, and no further.
    static constexpr std::size_t kMaxCsvRowBytes = std::size_t{16} << 20;

    // Reads `fd` from where it stands; a block holds at least `block_bytes` unless the input ends first, or, from
    // a pipe or a terminal, unless no more has arrived. Where a long line is checked in pieces, a block may end
    // between two of its pieces, so that memory stays flat however long the line.
    BlockReader(int fd, std::size_t block_bytes, LineReader::LongLines long_lines,
                ReadFunction read = platform::ReadSome);
    // The same of a list whose byte-order mark, where `marks` reads them, is no part of its first line: UTF-8's is
    // dropped, and a list that starts with UTF-16's is read as UTF-8.
    BlockReader(int fd, std::size_t block_bytes, LineReader::LongLines long_lines, ListMarks marks,
                ReadFunction read = platform::ReadSome);
    // The same of CSV rows. An input that starts with a UTF-16 byte-order mark is read as UTF-8 (the mark too).
    BlockReader(int fd, std::size_t block_bytes, CsvRows rows, ReadFunction read = platform::ReadSome);

    // Fills `block` with the next lines. kExhausted once the input is exhausted or a read failed (Failed()), or a
    // CSV row grew too long (TooLongRow()); bytes read before a failure are handed out first. A pipe or a terminal
    // hands out the lines that have arrived; when not one whole line has, kNotYet unless `may_wait`, which waits
    // for one after writing out the output so far. Ctrl-C before a read ends the run.
    Filled Fill(ListBlock& block, bool may_wait);
    [[nodiscard]] bool Failed() const { return failed_; }
    // Whether `block` grew past the size of a block (or, where the tests force smaller blocks, past the usual
    // size) to hold a line or row longer than one, or what was read past such a line.
    [[nodiscard]] bool Outgrown(const ListBlock& block) const;

    // Hands the bytes of `block` from `from` on out again with the next Fill: what is left of the first block
    // once a CSV input's byte-order mark or header row is taken from it.
    void PutBack(const ListBlock& block, std::size_t from);
    // A CSV input that ended inside quotes: the line (from 1) where the quote still open at its end opened, 0
    // for none. Its last row holds the rest of the input.
    [[nodiscard]] std::size_t OpenQuoteLine() const { return open_quote_line_; }
    // A CSV row longer than kMaxCsvRowBytes, which ended the reading: the rows before it were handed out.
    [[nodiscard]] LongCsvRow TooLongRow() const { return too_long_; }

private:
    BlockReader(int fd, std::size_t block_bytes, ReadFunction read);
    // Reads until `block` is full or the input ends; from a pipe or a terminal, only until a read would wait
    // with a line end (or a whole piece of a long line) in the block, or, unless `may_wait`, at all; `line_end`:
    // what the block holds on entry has one. False when it stopped before one.
    bool ReadInto(ListBlock& block, bool may_wait, bool line_end);
    // One read into `into`, with `room` bytes: of the input's bytes, or of their UTF-8 once UTF-16 was found.
    long ReadSome(char* into, std::size_t room);
    // At a CSV input's start, once its first two bytes are in `block`: a UTF-16 byte-order mark turns every
    // byte from it on into UTF-8.
    void FindEncoding(ListBlock& block);
    [[nodiscard]] bool Full(const ListBlock& block) const;
    // Where a block without a line end may end: after the last piece of its long line that is known to be one,
    // 0 where there is none.
    [[nodiscard]] std::size_t PieceCut(const ListBlock& block) const;
    // Where a block is cut: after its last line end, or in a CSV input its last row end; 0 where it has none.
    std::size_t Cut(ListBlock& block);
    std::size_t CutRows(ListBlock& block);
    // The room a block that holds no whole line grows to.
    [[nodiscard]] std::size_t Grown(const ListBlock& block) const;

    int fd_;
    std::size_t block_bytes_;
    ReadFunction read_;
    bool stream_;                // a pipe, a FIFO or a terminal: what has arrived is handed out without waiting
    bool pieces_ = false;        // long lines are checked in pieces, not whole
    std::optional<CsvRows> rows_;  // CSV rows, which end only outside quotes
    // Of a CSV input: its line ends handed out in blocks so far, its start still to be looked at, and its decoder.
    std::size_t lines_ = 0;
    bool encoding_unknown_ = false;
    std::optional<csv::Utf16Decoder> decoder_;
    std::vector<char> encoded_;  // bytes read before decoding
    std::size_t open_quote_line_ = 0;
    LongCsvRow too_long_;
    bool tail_in_line_ = false;  // the tail starts between two pieces of a line
    bool tail_ends_line_ = false;  // the tail holds a line end: rows put back, not the rest past a cut
    bool mark_unread_ = false;     // a list's UTF-8 byte-order mark is still to be dropped from its start
    std::vector<char> tail_;     // read past the last line end of the block before
    bool ended_ = false;
    bool failed_ = false;
};

// The size of a block: 64 KiB, or for the tests any size from 1 byte on, from KALDEROS_BLOCK_BYTES.
[[nodiscard]] std::size_t ListBlockBytes();

}  // namespace kalderos
