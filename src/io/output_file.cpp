// The streams of files: a failed write on standard output ends the run as a write error.
#include <new>

#include "io/output_stream.h"
#include "io/terminate.h"
#include "platform/platform.h"

namespace kalderos {

// The buffer is taken without the throwing new, which would end the process by an exception where the run's
// handler for missing memory is not in place.
OutputStream::OutputStream(int fd, std::size_t capacity, OutputRole role)
    : fd_(fd),
      write_through_(&WriteToFile),
      role_(role),
      buffer_(capacity != 0 ? new (std::nothrow) char[capacity] : nullptr),
      capacity_(capacity),
      line_buffered_(capacity != 0 && platform::IsTerminal(fd)) {}

void OutputStream::WriteToFile(OutputStream& stream, const char* data, std::size_t size) {
    if (stream.failed_) return;
    if (stream.role_.flushed_first != nullptr) stream.role_.flushed_first->Flush();
    if (!platform::WriteAll(stream.fd_, data, size)) {
        stream.failed_ = true;
        if (!stream.role_.failure_ends_run || TerminationStarted()) return;
        // Ctrl-C while the reader took nothing: the run ends as an interrupt, not as a failed write.
        if (platform::WriteWasInterrupted()) TerminateRun(kExitInterrupted);
        TerminateRun(WriteFailureExitCode());
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
