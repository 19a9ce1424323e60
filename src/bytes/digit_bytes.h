// Eight characters in one word: the SSN parser tests its usual shapes this way, and the byte vectors fall back on
// it where the processor offers no vector instructions.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace kalderos::text {

// The eight characters at `text` as one word, the first in the lowest byte whatever the machine's byte order.
inline std::uint64_t LoadEight(const char* text) {
    std::uint64_t word;
    std::memcpy(&word, text, sizeof word);
    if constexpr (std::endian::native == std::endian::big) {
        word = ((word & 0x00000000FFFFFFFFu) << 32) | (word >> 32);
        word = ((word & 0x0000FFFF0000FFFFu) << 16) | ((word >> 16) & 0x0000FFFF0000FFFFu);
        word = ((word & 0x00FF00FF00FF00FFu) << 8) | ((word >> 8) & 0x00FF00FF00FF00FFu);
    }
    return word;
}

// One flag per byte of a word, its high bit set where the byte is not a digit "0" to "9". No step carries from
// one byte into the next, so every byte is tested on its own.
inline std::uint64_t NonDigitBytes(std::uint64_t word) {
    constexpr std::uint64_t kEach = 0x0101010101010101u;
    const std::uint64_t high_nibble_wrong = (word & (0xF0 * kEach)) ^ (0x30 * kEach);
    const std::uint64_t low_nibble_above_9 = ((word & (0x0F * kEach)) + 0x06 * kEach) & (0x10 * kEach);
    const std::uint64_t wrong = high_nibble_wrong | low_nibble_above_9;  // a byte is 0 exactly for a digit
    return (((wrong & (0x7F * kEach)) + 0x7F * kEach) | wrong) & (0x80 * kEach);
}

// The flags of a word (high bits of its bytes) as eight bits, bit i for byte i: each flag is moved to its own
// bit of the top byte by one multiplication, and no two partial products meet there.
inline unsigned FlagBits(std::uint64_t flags) {
    return static_cast<unsigned>(((flags >> 7) * 0x0102040810204080u) >> 56);
}

}  // namespace kalderos::text
