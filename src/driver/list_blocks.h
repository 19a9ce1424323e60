// A list in a regular file, read in blocks that end where lines end, so that threads can check the blocks apart
// and their output be written in the list's order.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "io/output_stream.h"
#include "kalderos/kalderos.h"

namespace kalderos {

struct ListBlock {
    std::unique_ptr<char[]> data;  // `size` bytes of whole lines (the last block's last line may lack its end),
                                   // then LineReader::kReadAhead cleared bytes
    std::size_t capacity = 0;      // room for bytes in front of the cleared ones
    std::size_t size = 0;
    OutputStream out{OutputStream::InMemory{}};
    // The block's first texts, whose output needs the number carried into the block; the writer prints them.
    std::vector<std::string_view> waiting;
    bool any_failed = false;
    bool settled = false;  // the texts after `waiting` were printed, and the block ends with `carry`
    SsnNumber carry;
    bool no_memory = false;

    // Ready to be filled again.
    void Clear();
};

class BlockReader {
public:
    enum class Filled { kBlock, kNotYet, kExhausted };

    // Reads `fd` from where it stands; a block holds at least `block_bytes` unless the input ends first, or, from
    // a pipe or a terminal, unless no more has arrived.
    BlockReader(int fd, std::size_t block_bytes);

    // Fills `block` with the next lines. kExhausted once the input is exhausted or a read failed (Failed()); bytes
    // read before a failure are handed out first. A pipe or a terminal hands out the lines that have arrived; when
    // not one whole line has, kNotYet unless `may_wait`, which waits for one after writing out the output so
    // far. Ctrl-C before a read ends the run.
    Filled Fill(ListBlock& block, bool may_wait);
    [[nodiscard]] bool Failed() const { return failed_; }

private:
    // Reads until `block` is full or the input ends; from a pipe or a terminal, only until a read would wait
    // with a line end in the block, or, unless `may_wait`, at all. False when it stopped before a line end.
    bool ReadInto(ListBlock& block, bool may_wait);

    int fd_;
    std::size_t block_bytes_;
    bool stream_;             // a pipe, a FIFO or a terminal: what has arrived is handed out without waiting
    std::vector<char> tail_;  // read past the last line end of the block before
    bool ended_ = false;
    bool failed_ = false;
};

// The size of a block: 64 KiB, or for the tests any size from 1 byte on, from KALDEROS_BLOCK_BYTES.
[[nodiscard]] std::size_t ListBlockBytes();

}  // namespace kalderos
