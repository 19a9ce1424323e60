// Eight characters in one word: the byte vectors fall back on it where the processor offers no vector
// instructions.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace kalderos::bytes {

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

// The flags of a word (high bits of its bytes) as eight bits, bit i for byte i: each flag is moved to its own
// bit of the top byte by one multiplication, and no two partial products meet there.
inline unsigned FlagBits(std::uint64_t flags) {
    return static_cast<unsigned>(((flags >> 7) * 0x0102040810204080u) >> 56);
}

}  // namespace kalderos::bytes
