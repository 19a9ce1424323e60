// Reading a list in blocks cut at line ends.
#include "lists/list_blocks.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "io/output_stream.h"
#include "lists/csv_rows.h"
#include "io/terminate.h"
#include "platform/platform.h"

namespace kalderos {
namespace {

constexpr std::size_t kReadAhead = LineReader::kReadAhead;
// Small enough that a block's records (about twenty times its bytes in JSON) stay in a core's cache until they are
// written.
constexpr std::size_t kDefaultBlockBytes = std::size_t{1} << 16;
// A pipe's buffer: with the usual 64 KiB, the program that writes into the pipe and the thread that reads it
// take turns for every block, and threads beside the reader wait. A megabyte is the most Linux grants without
// privileges.
constexpr std::size_t kPipeBytes = std::size_t{1} << 20;

// Gives `block` room for `capacity` bytes, keeping the first `kept`.
void Reserve(ListBlock& block, std::size_t capacity, std::size_t kept) {
    if (block.capacity >= capacity && block.data != nullptr) return;
    std::unique_ptr<char[]> larger(new char[capacity + kReadAhead]);
    if (kept > 0) std::memcpy(larger.get(), block.data.get(), kept);
    block.data = std::move(larger);
    block.capacity = capacity;
}

}  // namespace

BlockReader::BlockReader(int fd, std::size_t block_bytes, LineReader::LongLines long_lines, ReadFunction read)
    : fd_(fd),
      block_bytes_(block_bytes),
      read_(read),
      stream_(!platform::IsRegularFile(fd)),
      pieces_(long_lines == LineReader::LongLines::kPieces),
      rows_(long_lines == LineReader::LongLines::kCsvRows) {
    if (stream_) platform::WidenPipe(fd, kPipeBytes);
}

bool BlockReader::ReadInto(ListBlock& block, bool may_wait) {
    // What the block holds on entry has no line end: the tail of the block before, or a line that outgrew it.
    bool line_end = false;
    while (!ended_ && block.size < block.capacity) {
        CheckInterrupt();
        if (stream_ && platform::ReadWouldWait(fd_)) {
            // A line that has arrived is checked and written now, not once a block's worth has come.
            if (line_end || PieceCut(block) > 0) return true;
            if (!may_wait) return false;
            Out().Flush();
        }
        char* const into = block.data.get() + block.size;
        const long got = read_(fd_, into, block.capacity - block.size);
        if (got < 0) CheckInterrupt();
        if (got <= 0) {
            ended_ = true;
            failed_ = got < 0;
        } else {
            block.size += static_cast<std::size_t>(got);
            line_end = line_end || (stream_ && std::memchr(into, '\n', static_cast<std::size_t>(got)) != nullptr);
        }
    }
    return true;
}

std::size_t BlockReader::PieceCut(const ListBlock& block) const {
    // Only asked of a block without a line end, which starts where a line or one of its pieces starts. A piece of
    // kMaxText characters is told from a shorter last one only once the two bytes behind it have come (a carriage
    // return and a line feed may end the line there), so the cut leaves them to the next block.
    constexpr std::size_t kPiece = LineReader::kMaxText;
    if (!pieces_ || block.size < kPiece + 2) return 0;
    return (block.size - 2) / kPiece * kPiece;
}

BlockReader::Filled BlockReader::Fill(ListBlock& block, bool may_wait) {
    if (ended_ && tail_.empty()) return Filled::kExhausted;
    Reserve(block, std::max(block_bytes_, tail_.size() + 1), 0);
    block.continues_line = tail_in_line_;
    if (!tail_.empty()) std::memcpy(block.data.get(), tail_.data(), tail_.size());
    block.size = tail_.size();
    std::size_t cut = 0;
    for (;;) {
        if (!ReadInto(block, may_wait)) {
            tail_.assign(block.data.get(), block.data.get() + block.size);
            return Filled::kNotYet;
        }
        cut = Cut(block);
        if (cut > 0 || ended_) break;
        cut = PieceCut(block);
        if (cut > 0) break;
        // A line longer than the block, to be checked whole: the block grows until the line's end is in it. A
        // CSV row's line feed may have come inside quotes, with room left for more.
        if (block.size == block.capacity) Reserve(block, block.capacity * 2, block.size);
    }
    if (cut == 0) cut = block.size;
    tail_in_line_ = cut < block.size && block.data[cut - 1] != '\n';
    tail_.assign(block.data.get() + cut, block.data.get() + block.size);
    block.size = cut;
    std::memset(block.data.get() + cut, 0, kReadAhead);
    return cut > 0 ? Filled::kBlock : Filled::kExhausted;
}

std::size_t BlockReader::Cut(ListBlock& block) {
    if (!rows_) {
        std::size_t cut = block.size;
        while (cut > 0 && block.data[cut - 1] != '\n') --cut;
        return cut;
    }
    const char* const data = block.data.get();
    const std::size_t scan_size = block.size;
    const RowScan scan = ScanRows(data, scan_size, block.row_ends);
    std::size_t cut = scan.cut;
    if (ended_ && !scan.open_quote && cut == 0) cut = block.size;
    if (ended_ && scan.open_quote) {
        // The rows before the quote left open are handed out, the rest is not: it is no row.
        open_quote_line_ = feeds_ + static_cast<std::size_t>(std::count(data, data + scan.quote_at, '\n')) + 1;
        block.size = cut;
    }
    // Every line feed before the cut ends a row or stands inside quotes; what follows the cut, at most a row,
    // is handed out with the next block.
    feeds_ += block.row_ends.size() + scan.quoted_feeds -
              static_cast<std::size_t>(std::count(data + cut, data + scan_size, '\n'));
    return cut;
}

void BlockReader::PutBack(const ListBlock& block, std::size_t from) {
    const char* const begin = block.data.get() + from;
    const char* const end = block.data.get() + block.size;
    feeds_ -= static_cast<std::size_t>(std::count(begin, end, '\n'));
    tail_.insert(tail_.begin(), begin, end);
}

bool BlockReader::Outgrown(const ListBlock& block) const {
    return block.capacity > std::max(block_bytes_, kDefaultBlockBytes);
}

std::size_t ListBlockBytes() {
    const char* forced = std::getenv("KALDEROS_BLOCK_BYTES");
    if (forced == nullptr) return kDefaultBlockBytes;
    const long bytes = std::atol(forced);
    return bytes > 0 ? static_cast<std::size_t>(bytes) : kDefaultBlockBytes;
}

}  // namespace kalderos
