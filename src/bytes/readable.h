// The room the program keeps behind the texts it checks, as a type: the judges, the classifier and the printers
// read a text's first characters in whole vectors whatever its length, and take a Readable for it, so that a
// text without that room cannot reach them unseen.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace kalderos::bytes {

// Bytes that may be read from the start of every text the program checks, however short: two vectors' worth,
// so that the first thirty-two bytes of any text are read in fixed-size pieces.
inline constexpr std::size_t kReadAhead = 32;

// A text from whose start kReadAhead bytes may be read. Only the buffers that keep that room behind every text
// they hand out make one (WithRoomBehind), and ReadableCopy for a text from anywhere else.
class Readable {
public:
    constexpr Readable() = default;

    // `size` bytes at `data`, of which, with what follows them, kReadAhead may be read from `data`.
    [[nodiscard]] static constexpr Readable WithRoomBehind(const char* data, std::size_t size) {
        return Readable(data, size);
    }

    [[nodiscard]] constexpr const char* data() const { return data_; }
    [[nodiscard]] constexpr std::size_t size() const { return size_; }
    [[nodiscard]] constexpr bool empty() const { return size_ == 0; }
    [[nodiscard]] constexpr char back() const { return data_[size_ - 1]; }
    constexpr operator std::string_view() const { return {data_, size_}; }

    // Its first `count` bytes (at most its size), from the same start and so as readable.
    [[nodiscard]] constexpr Readable First(std::size_t count) const { return Readable(data_, count); }

private:
    constexpr Readable(const char* data, std::size_t size) : data_(data), size_(size) {}

    const char* data_ = nullptr;
    std::size_t size_ = 0;
};

// A text that may end anywhere, as a Readable: read where it stands when it is long enough, else copied into
// bytes of its own with NULs behind it. Neither copied nor moved, as the Readable may point into it.
class ReadableCopy {
public:
    explicit ReadableCopy(std::string_view text) : text_(text.data()) {
        if (text.size() >= kReadAhead) {
            readable_ = Readable::WithRoomBehind(text.data(), text.size());
            return;
        }
        copy_.fill('\0');
        if (!text.empty()) std::memcpy(copy_.data(), text.data(), text.size());
        readable_ = Readable::WithRoomBehind(copy_.data(), text.size());
    }
    ReadableCopy(const ReadableCopy&) = delete;
    ReadableCopy& operator=(const ReadableCopy&) = delete;

    [[nodiscard]] Readable Get() const { return readable_; }
    // Where a pointer into Get()'s bytes stands in the text given.
    [[nodiscard]] const char* InText(const char* at) const { return text_ + (at - readable_.data()); }

private:
    const char* text_;
    Readable readable_;
    std::array<char, kReadAhead> copy_;  // filled where it is read
};

}  // namespace kalderos::bytes
