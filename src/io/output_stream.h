// Buffered writing to standard output and standard error over the platform's raw writes, one path for every byte,
// and to memory.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace kalderos {

class OutputStream;

// What the program's two streams do besides writing: the results' stream ends the run when a write fails
// (nothing after a lost line may be reported as done); the diagnostics' stream first writes out the other one,
// so that on a shared screen everything appears in the order it was written.
struct OutputRole {
    bool failure_ends_run = false;
    OutputStream* flushed_first = nullptr;
};

class OutputStream {
public:
    // `capacity` 0 writes every call through at once. Without memory for the buffer the stream is not Usable.
    OutputStream(int fd, std::size_t capacity, OutputRole role = {});

    // A stream that keeps what is written in memory, growing as needed: a worker's share of the output, taken
    // with Contents and dropped with Clear. A failed allocation while it grows comes to the new handler.
    struct InMemory {};
    explicit OutputStream(InMemory);

    [[nodiscard]] bool Usable() const { return capacity_ == 0 || buffer_ != nullptr; }

    void Write(std::string_view text);
    void WriteRepeated(char c, std::size_t count);

    // Room for `size` bytes (at most the capacity) to format into directly; Commit says how many were used.
    [[nodiscard]] char* Reserve(std::size_t size) {
        if (size > capacity_ - used_) MakeRoom(size);
        return buffer_.get() + used_;
    }
    void Commit(std::size_t used) { used_ += used; }

    // What an in-memory stream holds.
    [[nodiscard]] std::string_view Contents() const { return {buffer_.get(), used_}; }
    void Clear() { used_ = 0; }

    // Called where a line ends: a terminal sees each line as soon as it is complete.
    void EndOfLine() {
        if (line_buffered_) Flush();
    }

    // Writes out what is buffered; false once any write to this stream has failed. An in-memory stream keeps it.
    bool Flush();

private:
    static constexpr int kNoFile = -1;
    // Room for `size` more bytes: the buffer written out, or an in-memory one grown.
    void MakeRoom(std::size_t size);
    // Writes to the file, through the platform: reached by a pointer that only a file's stream sets
    // (output_file.cpp), so that a stream in memory, the library's, needs nothing of the platform.
    void WriteThrough(const char* data, std::size_t size) { write_through_(*this, data, size); }
    static void WriteToFile(OutputStream& stream, const char* data, std::size_t size);

    int fd_;
    void (*write_through_)(OutputStream&, const char*, std::size_t) = nullptr;
    OutputRole role_;
    std::unique_ptr<char[]> buffer_;  // not cleared: a short run touches only the pages it writes
    std::size_t capacity_;
    std::size_t used_ = 0;
    bool line_buffered_;
    bool failed_ = false;
};

// The program's two streams: standard output for results, standard error for diagnostics.
OutputStream& Out();
OutputStream& Err();

}  // namespace kalderos
