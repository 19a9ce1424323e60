// UTF-16 text as UTF-8, in pieces of any size: what a spreadsheet saves as "Unicode text" (UTF-16 with a
// byte-order mark, little-endian on Windows) is read as the same text in UTF-8. A unit that is no character
// (half a surrogate pair, or the odd byte at the end) becomes U+FFFD, the replacement character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace kalderos::csv {

enum class ByteOrder { kLittleEndian, kBigEndian };

// The byte order that the two bytes of a byte-order mark at the start of a text name, if they are one.
[[nodiscard]] std::optional<ByteOrder> Utf16Order(char first, char second);

class Utf16Decoder {
public:
    explicit Utf16Decoder(ByteOrder order) : order_(order) {}

    // The room that Decode needs for `size` bytes: three for each unit, and for one carried from before.
    static constexpr std::size_t RoomFor(std::size_t size) { return 3 * ((size + 1) / 2 + 1); }

    // Decodes the `size` bytes at `in` into `out`, which has RoomFor(size) bytes; returns the bytes written. A
    // unit or a surrogate pair that the next piece completes is carried to it.
    std::size_t Decode(const char* in, std::size_t size, char* out);
    // The text has ended: what was carried, as U+FFFD, into `out` (room for six bytes); returns the bytes written.
    std::size_t Finish(char* out);

private:
    char* Unit(std::uint32_t unit, char* out);

    ByteOrder order_;
    bool odd_byte_ = false;  // a unit's first byte came last
    unsigned char first_ = 0;
    std::uint32_t high_ = 0;  // a high surrogate waiting for its low one, 0 for none
};

}  // namespace kalderos::csv
