// Buffered output, to a file through the platform (output_file.cpp) or to memory.
#include "io/output_stream.h"

#include <cstring>
#include <utility>

namespace kalderos {

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

}  // namespace kalderos
