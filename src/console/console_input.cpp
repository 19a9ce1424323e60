// The console dialogue.
#include "console/console_input.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "console/console_prompt.h"
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

std::size_t TextLength(const char* text, std::size_t size) {
    const void* nul = std::memchr(text, '\0', size);
    return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : size;
}

}  // namespace

// Nothing beyond the line just answered may be taken from standard input: whoever reads it next must find the
// rest. A pipe or a terminal is therefore read a byte at a time. A regular file is read a block at a time and
// wound back to just behind the line's end, where a byte-at-a-time read would have left it.
std::string_view ConsoleInput::ReadBytes(std::size_t block) {
    if (block_ == nullptr) {
        const long got = platform::ReadSome(platform::kStandardInput, &byte_, 1);
        if (got < 0) return Fail(InputFailure::kRead);
        return {&byte_, static_cast<std::size_t>(got)};
    }
    const long got = platform::ReadSome(platform::kStandardInput, block_.get(), block);
    if (got < 0) return Fail(InputFailure::kRead);
    const auto size = static_cast<std::size_t>(got);
    const void* feed = std::memchr(block_.get(), '\n', size);
    const std::size_t used =
        feed ? static_cast<std::size_t>(static_cast<const char*>(feed) - block_.get()) + 1 : size;
    if (used < size && !platform::UnreadBytes(platform::kStandardInput, size - used)) {
        return Fail(InputFailure::kRead);
    }
    return {block_.get(), used};
}

// A line longer than the buffer keeps its first 9999 characters; the rest of it is read and dropped.
std::string_view ConsoleInput::NextLine() {
    CheckInterrupt();
    if (line_ == nullptr) {
        line_.reset(new (std::nothrow) char[kConsoleLineSize]);
        if (line_ == nullptr) return Fail(InputFailure::kNoMemory);
        if (platform::IsRegularFile(platform::kStandardInput)) {
            block_.reset(new (std::nothrow) char[kConsoleBlockSize]);
            if (block_ == nullptr) return Fail(InputFailure::kNoMemory);
        }
    }
    PrintConsolePrompt();

    std::size_t length = 0;
    bool read_anything = false;
    for (std::size_t block = kFirstConsoleBlock;; block = std::min(block * 2, kConsoleBlockSize)) {
        const std::string_view bytes = ReadBytes(block);
        if (failure_) return {};
        if (bytes.empty()) break;
        const bool line_end = bytes.back() == '\n';
        const std::size_t content = bytes.size() - (line_end ? 1 : 0);
        if (content > 0) read_anything = true;
        const std::size_t kept = std::min(content, kConsoleLineSize - 1 - length);
        std::memcpy(line_.get() + length, bytes.data(), kept);
        length += kept;
        if (line_end) break;
    }
    if (length > 0 && line_[length - 1] == '\r') --length;
    length = TextLength(line_.get(), length);
    if (!read_anything || length < 2) return {};
    return {line_.get(), length};
}

}  // namespace kalderos
