// A list in a regular file, read in blocks that end where lines end, so that threads can check the blocks apart
// and their output be written in the list's order.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "driver/line_core.h"
#include "driver/line_reader.h"
#include "io/output_stream.h"
#include "kalderos/kalderos.h"

namespace kalderos {

// What a step carries from a block's last text into the next block: the number the text format's lenient
// reading carries, and the line the last texts began where it goes on in the next block.
struct BlockCarry {
    SsnNumber number;
    bool line_open = false;
    LineCore line;
};

struct ListBlock {
    std::unique_ptr<char[]> data;  // `size` bytes of whole lines (the last block's last line may lack its end),
                                   // then LineReader::kReadAhead cleared bytes
    std::size_t capacity = 0;      // room for bytes in front of the cleared ones
    std::size_t size = 0;
    OutputStream out{OutputStream::InMemory{}};
    bool continues_line = false;  // starts with a piece of a line begun in the block before
    // The block's first texts, whose output needs what is carried into the block; the writer prints them.
    std::vector<std::string_view> waiting;
    bool any_failed = false;
    bool settled = false;  // the texts after `waiting` were printed, and the block ends with `carry`
    BlockCarry carry;
    bool no_memory = false;

    // Ready to be filled again.
    void Clear();
};

class BlockReader {
public:
    enum class Filled { kBlock, kNotYet, kExhausted };

    // Reads `fd` from where it stands; a block holds at least `block_bytes` unless the input ends first, or, from
    // a pipe or a terminal, unless no more has arrived. Where a long line is checked in pieces, a block may end
    // between two of its pieces, so that memory stays flat however long the line.
    BlockReader(int fd, std::size_t block_bytes, LineReader::LongLines long_lines);

    // Fills `block` with the next lines. kExhausted once the input is exhausted or a read failed (Failed()); bytes
    // read before a failure are handed out first. A pipe or a terminal hands out the lines that have arrived; when
    // not one whole line has, kNotYet unless `may_wait`, which waits for one after writing out the output so
    // far. Ctrl-C before a read ends the run.
    Filled Fill(ListBlock& block, bool may_wait);
    [[nodiscard]] bool Failed() const { return failed_; }

private:
    // Reads until `block` is full or the input ends; from a pipe or a terminal, only until a read would wait
    // with a line end (or a whole piece of a long line) in the block, or, unless `may_wait`, at all. False when it
    // stopped before one.
    bool ReadInto(ListBlock& block, bool may_wait);
    // Where a block without a line end may end: after the last piece of its long line that one thread would
    // hand out as it stands, 0 where there is none.
    [[nodiscard]] std::size_t PieceCut(const ListBlock& block) const;

    int fd_;
    std::size_t block_bytes_;
    bool stream_;             // a pipe, a FIFO or a terminal: what has arrived is handed out without waiting
    bool pieces_;             // long lines are checked in pieces, not whole
    bool tail_in_line_ = false;  // the tail starts between two pieces of a line
    std::vector<char> tail_;  // read past the last line end of the block before
    bool ended_ = false;
    bool failed_ = false;
};

// The size of a block: 64 KiB, or for the tests any size from 1 byte on, from KALDEROS_BLOCK_BYTES.
[[nodiscard]] std::size_t ListBlockBytes();

}  // namespace kalderos
