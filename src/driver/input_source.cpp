// List-file lines and the console dialogue.
#include "driver/input_source.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "console/console_prompt.h"
#include "io/output_stream.h"
#include "io/terminate.h"
#include "platform/platform.h"

namespace kalderos {
namespace {

// One console line: 9999 characters and a terminator; the rest of a longer line is dropped.
constexpr std::size_t kConsoleLineSize = 10000;

// Standard input taken from a regular file is read in blocks of growing size: a short line costs a short read
// (whatever is read past it is read again for the next line), a long one few reads.
constexpr std::size_t kFirstConsoleBlock = 256;
constexpr std::size_t kConsoleBlockSize = std::size_t{1} << 16;

// Ctrl-C is looked at around every read of the list file rather than for every line: a run over a long list
// still ends within one buffer's worth of lines, and a read cut short by Ctrl-C ends the run before the
// unfinished line it leaves in the buffer could be taken for a whole one. A read that would wait (a pipe, a
// FIFO or a terminal with nothing more yet) first writes out the results so far, which a file never costs.
long ReadFromFd(void* context, char* buffer, std::size_t size) {
    CheckInterrupt();
    const int fd = *static_cast<const int*>(context);
    if (platform::ReadWouldWait(fd)) Out().Flush();
    const long got = platform::ReadSome(fd, buffer, size);
    if (got < 0) CheckInterrupt();
    return got;
}

std::size_t TextLength(const char* text, std::size_t size) {
    const void* nul = std::memchr(text, '\0', size);
    return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : size;
}

}  // namespace

InputSource::InputSource(const RunOptions& options) : options_(options) {
    constexpr std::size_t kCapacity = LineReader::kDefaultCapacity;
    const auto long_lines = options_.whole_lines ? LineReader::LongLines::kWhole : LineReader::LongLines::kPieces;
    if (options_.list_file >= 0) {
        list_reader_.emplace(ReadFromFd, const_cast<int*>(&options_.list_file), kCapacity, long_lines);
    } else if (options_.standard_input_list) {
        list_reader_.emplace(ReadFromFd, &standard_input_, kCapacity, long_lines);
    }
}

void InputSource::EndOfList() {
    CheckInterrupt();
    if (!list_reader_->Failed()) return;
    // A record format reads standard input as a list when no list file was named.
    failure_ = options_.standard_input_list ? RunFailure::kConsoleRead : RunFailure::kListFileRead;
}

// Nothing beyond the line just answered may be taken from standard input: whoever reads it next must find the
// rest. A pipe or a terminal is therefore read a byte at a time. A regular file is read a block at a time and
// wound back to just behind the line's end, where a byte-at-a-time read would have left it.
std::string_view InputSource::ReadConsoleBytes(std::size_t block) {
    if (console_block_ == nullptr) {
        const long got = platform::ReadSome(platform::kStandardInput, &console_byte_, 1);
        if (got < 0) return Fail(RunFailure::kConsoleRead);
        return {&console_byte_, static_cast<std::size_t>(got)};
    }
    const long got = platform::ReadSome(platform::kStandardInput, console_block_.get(), block);
    if (got < 0) return Fail(RunFailure::kConsoleRead);
    const auto size = static_cast<std::size_t>(got);
    const void* feed = std::memchr(console_block_.get(), '\n', size);
    const std::size_t used =
        feed ? static_cast<std::size_t>(static_cast<const char*>(feed) - console_block_.get()) + 1 : size;
    if (used < size && !platform::UnreadBytes(platform::kStandardInput, size - used)) {
        return Fail(RunFailure::kConsoleRead);
    }
    return {console_block_.get(), used};
}

// A line longer than the buffer keeps its first 9999 characters; the rest of it is read and dropped.
std::string_view InputSource::NextConsoleLine() {
    CheckInterrupt();
    if (console_line_ == nullptr) {
        console_line_.reset(new (std::nothrow) char[kConsoleLineSize]);
        if (console_line_ == nullptr) return Fail(RunFailure::kNoMemory);
        if (platform::IsRegularFile(platform::kStandardInput)) {
            console_block_.reset(new (std::nothrow) char[kConsoleBlockSize]);
            if (console_block_ == nullptr) return Fail(RunFailure::kNoMemory);
        }
    }
    PrintConsolePrompt();

    std::size_t length = 0;
    bool read_anything = false;
    for (std::size_t block = kFirstConsoleBlock;; block = std::min(block * 2, kConsoleBlockSize)) {
        const std::string_view bytes = ReadConsoleBytes(block);
        if (failure_) return {};
        if (bytes.empty()) break;
        const bool line_end = bytes.back() == '\n';
        const std::size_t content = bytes.size() - (line_end ? 1 : 0);
        if (content > 0) read_anything = true;
        const std::size_t kept = std::min(content, kConsoleLineSize - 1 - length);
        std::memcpy(console_line_.get() + length, bytes.data(), kept);
        length += kept;
        if (line_end) break;
    }
    if (length > 0 && console_line_[length - 1] == '\r') --length;
    length = TextLength(console_line_.get(), length);
    if (!read_anything || length < 2) return {};
    return {console_line_.get(), length};
}

}  // namespace kalderos
