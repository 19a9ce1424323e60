// List-file lines and the console dialogue.
#include "driver/input_source.h"

#include <cstring>
#include <new>

#include "io/output_stream.h"
#include "io/terminate.h"
#include "platform/platform.h"
#include "ssn/data_dates.h"

namespace kalderos {
namespace {

// One console line: 9999 characters and a terminator; the rest of a longer line is dropped.
constexpr std::size_t kConsoleLineSize = 10000;

// Ctrl-C is looked at around every read of the list file rather than for every line: a run over a long list
// still ends within one buffer's worth of lines, and a read cut short by Ctrl-C ends the run before the
// unfinished line it leaves in the buffer could be taken for a whole one.
long ReadFromFd(void* context, char* buffer, std::size_t size) {
    CheckInterrupt();
    const long got = platform::ReadSome(*static_cast<const int*>(context), buffer, size);
    if (got < 0) CheckInterrupt();
    return got;
}

std::size_t TextLength(const char* text, std::size_t size) {
    const void* nul = std::memchr(text, '\0', size);
    return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : size;
}

}  // namespace

InputSource::InputSource(const RunOptions& options) : options_(options) {
    if (options_.list_file >= 0) {
        list_reader_.emplace(ReadFromFd, const_cast<int*>(&options_.list_file));
    }
}

void InputSource::EndOfList() {
    CheckInterrupt();
    if (!list_reader_->Failed()) return;
    Out().Write("\nError reading input file ");
    Out().Write(options_.list_file_path.View());
    TerminateRun(kExitInterrupted);
}

// Standard input is read a byte at a time, so that nothing beyond the line just answered is taken from it.
// A line longer than the buffer keeps its first 9999 characters; the rest of it is read and dropped.
std::string_view InputSource::NextConsoleLine() {
    CheckInterrupt();
    if (console_line_ == nullptr) {
        console_line_ = new (std::nothrow) char[kConsoleLineSize];
        if (console_line_ == nullptr) TerminateRun(kExitOutOfMemory);
    }
    Out().Write("\nLast update of valid numbers: ");
    Out().Write(ssn::kAreaDataDate);
    Out().Write("\nInput the ssn to check: (return to end): ");
    Out().Flush();

    std::size_t length = 0;
    bool read_anything = false;
    for (;;) {
        char c;
        const long got = platform::ReadSome(platform::kStandardInput, &c, 1);
        if (got < 0) {
            CheckInterrupt();
            Out().Write("\nError reading standard input");
            TerminateRun(kExitInterrupted);
        }
        if (got == 0 || c == '\n') break;
        read_anything = true;
        if (length < kConsoleLineSize - 1) console_line_[length++] = c;
    }
    if (length > 0 && console_line_[length - 1] == '\r') --length;
    length = TextLength(console_line_, length);
    if (!read_anything || length < 2) return {};
    return {console_line_, length};
}

}  // namespace kalderos
