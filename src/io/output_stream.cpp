// Buffered output over raw writes; a failed write on standard output ends the run as a write error.
#include "io/output_stream.h"

#include <cstring>
#include <new>
#include <utility>

#include "io/terminate.h"
#include "platform/platform.h"

namespace kalderos {

// The buffer is taken without the throwing new, which would end the process by an exception where the run's
// handler for missing memory is not in place.
OutputStream::OutputStream(int fd, std::size_t capacity, OutputRole role)
    : fd_(fd),
      role_(role),
      buffer_(capacity != 0 ? new (std::nothrow) char[capacity] : nullptr),
      capacity_(capacity),
      line_buffered_(capacity != 0 && platform::IsTerminal(fd)) {}

OutputStream::OutputStream(InMemory)
    : fd_(kNoFile), buffer_(new char[std::size_t{1} << 16]), capacity_(std::size_t{1} << 16), line_buffered_(false) {}

void OutputStream::MakeRoom(std::size_t size) {
    if (fd_ != kNoFile) {
        Flush();
        return;
    }
    std::size_t capacity = capacity_ * 2;
    while (capacity - used_ < size) capacity *= 2;
    std::unique_ptr<char[]> larger(new char[capacity]);
    std::memcpy(larger.get(), buffer_.get(), used_);
    buffer_ = std::move(larger);
    capacity_ = capacity;
}

void OutputStream::WriteThrough(const char* data, std::size_t size) {
    if (failed_) return;
    if (role_.flushed_first != nullptr) role_.flushed_first->Flush();
    if (!platform::WriteAll(fd_, data, size)) {
        failed_ = true;
        if (!role_.failure_ends_run || TerminationStarted()) return;
        // Ctrl-C while the reader took nothing: the run ends as an interrupt, not as a failed write.
        if (platform::WriteWasInterrupted()) TerminateRun(kExitInterrupted);
        TerminateRun(WriteFailureExitCode());
    }
}

bool OutputStream::Flush() {
    if (fd_ == kNoFile) return true;
    if (used_ > 0) {
        const std::size_t size = used_;
        used_ = 0;
        WriteThrough(buffer_.get(), size);
    }
    return !failed_;
}

void OutputStream::Write(std::string_view text) {
    if (text.size() > capacity_ - used_) {
        MakeRoom(text.size());
        if (fd_ != kNoFile && text.size() >= capacity_) {
            WriteThrough(text.data(), text.size());
            return;
        }
    }
    std::memcpy(buffer_.get() + used_, text.data(), text.size());
    used_ += text.size();
}

void OutputStream::WriteRepeated(char c, std::size_t count) {
    char block[64];
    std::memset(block, c, sizeof block);
    while (count > 0) {
        const std::size_t part = count < sizeof block ? count : sizeof block;
        Write({block, part});
        count -= part;
    }
}

OutputStream& Out() {
    // Large enough that a long list costs few writes (a larger one measured no faster); a terminal still gets
    // every line as it is finished, and a short run touches only the first page.
    static OutputStream stream(platform::kStandardOutput, std::size_t{1} << 16, {.failure_ends_run = true});
    return stream;
}

OutputStream& Err() {
    static OutputStream stream(platform::kStandardError, 0, {.flushed_first = &Out()});
    return stream;
}

}  // namespace kalderos
