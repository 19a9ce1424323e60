// Reading a list in blocks cut at line ends, or at CSV rows' ends.
#include "lists/list_blocks.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>

#include "csv/csv_row_ends.h"
#include "csv/csv_writer.h"
#include "io/output_stream.h"
#include "io/terminate.h"
#include "platform/platform.h"

namespace kalderos {
namespace {

constexpr std::size_t kReadAhead = bytes::kReadAhead;
// Small enough that a block's records (about twenty times its bytes in JSON) stay in a core's cache until they are
// written.
constexpr std::size_t kDefaultBlockBytes = std::size_t{1} << 16;
// A pipe's buffer: with the usual 64 KiB, the program that writes into the pipe and the thread that reads it
// take turns for every block, and threads beside the reader wait. A megabyte is the most Linux grants without
// privileges.
constexpr std::size_t kPipeBytes = std::size_t{1} << 20;
// The room a read of UTF-16 needs in a block: three bytes of UTF-8 for each two it reads, a carried unit's and
// at least two more.
constexpr std::size_t kDecodeRoom = 12;

// Gives `block` room for `capacity` bytes, keeping the first `kept`.
void Reserve(ListBlock& block, std::size_t capacity, std::size_t kept) {
    if (block.capacity >= capacity && block.data != nullptr) return;
    std::unique_ptr<char[]> larger(new char[capacity + kReadAhead]);
    if (kept > 0) std::memcpy(larger.get(), block.data.get(), kept);
    block.data = std::move(larger);
    block.capacity = capacity;
}

}  // namespace

BlockReader::BlockReader(int fd, std::size_t block_bytes, ReadFunction read)
    : fd_(fd), block_bytes_(block_bytes), read_(read), stream_(!platform::IsRegularFile(fd)) {
    if (stream_) platform::WidenPipe(fd, kPipeBytes);
}

BlockReader::BlockReader(int fd, std::size_t block_bytes, LineReader::LongLines long_lines, ReadFunction read)
    : BlockReader(fd, block_bytes, read) {
    pieces_ = long_lines == LineReader::LongLines::kPieces;
}

BlockReader::BlockReader(int fd, std::size_t block_bytes, LineReader::LongLines long_lines, ListMarks marks,
                         ReadFunction read)
    : BlockReader(fd, block_bytes, long_lines, read) {
    encoding_unknown_ = mark_unread_ = marks == ListMarks::kRead;
}

BlockReader::BlockReader(int fd, std::size_t block_bytes, CsvRows rows, ReadFunction read)
    : BlockReader(fd, block_bytes, read) {
    rows_ = rows;
    encoding_unknown_ = true;
}

bool BlockReader::Full(const ListBlock& block) const {
    return block.capacity - block.size < (decoder_ ? kDecodeRoom : 1);
}

long BlockReader::ReadSome(char* into, std::size_t room) {
    if (!decoder_) return read_(fd_, into, room);
    const std::size_t wanted = std::min(encoded_.size(), (room / 3 - 2) * 2);
    for (;;) {
        const long got = read_(fd_, encoded_.data(), wanted);
        if (got < 0) return got;
        // Once the input has ended, what a unit left open comes to, and then the end.
        if (got == 0) return static_cast<long>(decoder_->Finish(into));
        const std::size_t decoded = decoder_->Decode(encoded_.data(), static_cast<std::size_t>(got), into);
        // Half a unit, or the first of a surrogate pair, comes to nothing yet: no end of the input.
        if (decoded > 0) return static_cast<long>(decoded);
    }
}

void BlockReader::FindEncoding(ListBlock& block) {
    encoding_unknown_ = false;
    const std::optional<csv::ByteOrder> order =
        block.size >= 2 ? csv::Utf16Order(block.data[0], block.data[1]) : std::nullopt;
    if (!order) return;
    decoder_.emplace(*order);
    encoded_.assign(block.data.get(), block.data.get() + block.size);
    Reserve(block, std::max(block.capacity, csv::Utf16Decoder::RoomFor(block.size) + kDecodeRoom), 0);
    block.size = decoder_->Decode(encoded_.data(), encoded_.size(), block.data.get());
    encoded_.resize(std::max(block_bytes_, kDecodeRoom));
}

bool BlockReader::ReadInto(ListBlock& block, bool may_wait, bool line_end) {
    while (!ended_ && !Full(block)) {
        CheckInterrupt();
        if (stream_ && platform::ReadWouldWait(fd_)) {
            // A line that has arrived is checked and written now, not once a block's worth has come.
            if (line_end || PieceCut(block) > 0) return true;
            if (!may_wait) return false;
            Out().Flush();
        }
        char* const into = block.data.get() + block.size;
        const long got = ReadSome(into, block.capacity - block.size);
        if (got < 0) CheckInterrupt();
        if (got <= 0) {
            ended_ = true;
            failed_ = got < 0;
        } else {
            const auto size = static_cast<std::size_t>(got);
            block.size += size;
            line_end = line_end || (stream_ && (std::memchr(into, '\n', size) != nullptr ||
                                                (rows_ && std::memchr(into, '\r', size) != nullptr)));
        }
        if (encoding_unknown_ && (block.size >= 2 || ended_)) FindEncoding(block);
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

std::size_t BlockReader::Grown(const ListBlock& block) const {
    // A CSV row grows its block up to one byte past the longest row, which tells a row too long.
    if (rows_) return std::min(block.capacity * 2, kMaxCsvRowBytes + 1);
    return block.capacity * 2;
}

BlockReader::Filled BlockReader::Fill(ListBlock& block, bool may_wait) {
    if (ended_ && tail_.empty()) return Filled::kExhausted;
    Reserve(block, std::max(block_bytes_, tail_.size() + (decoder_ ? kDecodeRoom : 1)), 0);
    block.continues_line = tail_in_line_;
    if (!tail_.empty()) std::memcpy(block.data.get(), tail_.data(), tail_.size());
    block.size = tail_.size();
    std::size_t cut = 0;
    for (;;) {
        // The tail of the block before has no line end, nor has a line that outgrew its block; rows put back do.
        if (!ReadInto(block, may_wait, std::exchange(tail_ends_line_, false))) {
            tail_.assign(block.data.get(), block.data.get() + block.size);
            return Filled::kNotYet;
        }
        cut = Cut(block);
        if (cut > 0 || ended_) break;
        cut = PieceCut(block);
        if (cut > 0) break;
        if (rows_ && block.size > kMaxCsvRowBytes) {
            // The rows before it were handed out; this one is not read on.
            const csv::RowEnds ends = csv::ScanRowEnds(block.data.get(), block.size, rows_->delimiter, false);
            const std::size_t opened = ends.in_quotes ? ends.quote_at : 0;
            too_long_ = {lines_ + csv::CountLineEnds(block.data.get(), opened) + 1, ends.in_quotes};
            ended_ = true;
            tail_.clear();
            return Filled::kExhausted;
        }
        // A line longer than the block, to be checked whole: the block grows until the line's end is in it. A
        // CSV row's line end may have come inside quotes, with room left for more.
        if (Full(block)) Reserve(block, Grown(block), block.size);
    }
    if (cut == 0) cut = block.size;
    if (std::exchange(mark_unread_, false) && std::string_view(block.data.get(), cut).starts_with(csv::kByteOrderMark)) {
        const std::size_t mark = csv::kByteOrderMark.size();
        std::memmove(block.data.get(), block.data.get() + mark, block.size - mark);
        block.size -= mark;
        cut -= mark;
    }
    // A byte-order mark counts only at the input's start, which this block holds.
    encoding_unknown_ = false;
    tail_in_line_ = pieces_ && cut < block.size && block.data[cut - 1] != '\n';
    tail_.assign(block.data.get() + cut, block.data.get() + block.size);
    block.size = cut;
    std::memset(block.data.get() + cut, 0, kReadAhead);
    return cut > 0 ? Filled::kBlock : Filled::kExhausted;
}

std::size_t BlockReader::Cut(ListBlock& block) {
    if (rows_) return CutRows(block);
    std::size_t cut = block.size;
    while (cut > 0 && block.data[cut - 1] != '\n') --cut;
    return cut;
}

std::size_t BlockReader::CutRows(ListBlock& block) {
    const char* const data = block.data.get();
    const csv::RowEnds ends = csv::ScanRowEnds(data, block.size, rows_->delimiter, ended_);
    lines_ += ends.lines;
    if (!ended_ || ends.cut == block.size) return ends.cut;
    // The input has ended: what follows the last row end is its last row, whose quote may be left open.
    if (ends.in_quotes) {
        open_quote_line_ = lines_ + csv::CountLineEnds(data + ends.cut, ends.quote_at - ends.cut) + 1;
    }
    lines_ += csv::CountLineEnds(data + ends.cut, block.size - ends.cut);
    return block.size;
}

void BlockReader::PutBack(const ListBlock& block, std::size_t from) {
    const char* const begin = block.data.get() + from;
    const char* const end = block.data.get() + block.size;
    if (rows_) lines_ -= csv::CountLineEnds(begin, block.size - from);
    tail_.insert(tail_.begin(), begin, end);
    // From a pipe, the rows put back are handed out before the reader waits for more.
    tail_ends_line_ = std::memchr(begin, '\n', block.size - from) != nullptr ||
                      (rows_ && std::memchr(begin, '\r', block.size - from) != nullptr);
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
