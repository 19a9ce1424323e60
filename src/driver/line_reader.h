// Splits a byte source into list-file texts: at most 259 characters each, the line feed kept, a carriage
// return before a line feed dropped, longer lines delivered in pieces.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace kalderos {

class LineReader {
public:
    static constexpr std::size_t kMaxText = 259;

    // Reads up to `size` bytes into `buffer`: the count, 0 at the end, -1 on a read error.
    using ReadFunction = long (*)(void* context, char* buffer, std::size_t size);

    enum class Status { Line, End, Error };

    LineReader(ReadFunction read, void* context, std::size_t capacity = std::size_t{1} << 17);

    // The next text, valid until the next call. After the data read before a read error has been
    // delivered, the error is reported once as Error.
    Status Next(std::string_view& text);

private:
    void Refill();

    ReadFunction read_;
    void* context_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool at_end_ = false;
    bool failed_ = false;
};

}  // namespace kalderos
