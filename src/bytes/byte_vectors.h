// Sixteen bytes of a text at a time: the checkers test a text's first characters all at once instead of one
// after another, which on random lists keeps the processor from mispredicting where each text changes shape.
// Written with the vector types GCC and Clang share, so that every target gets its own vector instructions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "bytes/digit_bytes.h"
#include "bytes/readable.h"

namespace kalderos::bytes {

using Bytes16 = std::uint8_t __attribute__((vector_size(16)));
using Words2 = std::uint64_t __attribute__((vector_size(16)));

inline Bytes16 LoadSixteen(const char* text) {
    Bytes16 bytes;
    std::memcpy(&bytes, text, sizeof bytes);
    return bytes;
}

// 0xFF in each byte that is a digit "0" to "9", 0 elsewhere.
inline Bytes16 DigitBytes(Bytes16 bytes) { return reinterpret_cast<Bytes16>(static_cast<Bytes16>(bytes - '0') < 10); }

inline Bytes16 BytesEqualTo(Bytes16 bytes, char c) {
    return reinterpret_cast<Bytes16>(bytes == static_cast<std::uint8_t>(c));
}

// Bit i set where byte i of `flags` (each 0 or 0xFF) is set.
inline unsigned FlagMask(Bytes16 flags) {
#if defined(__SSE2__)
    return static_cast<unsigned>(_mm_movemask_epi8(reinterpret_cast<__m128i>(flags)));
#else
    char stored[sizeof flags];
    std::memcpy(stored, &flags, sizeof flags);
    constexpr std::uint64_t kHigh = 0x8080808080808080u;
    return FlagBits(LoadEight(stored) & kHigh) | FlagBits(LoadEight(stored + 8) & kHigh) << 8;
#endif
}

// The other way: byte i set to 0xFF where bit i of `mask` is set. Each half of the mask is copied to every byte
// of its half of the vector, and each byte keeps its own bit.
inline Bytes16 MaskBytes(unsigned mask) {
#if defined(__SSE2__)
    // Built in registers: through memory, the two halves stored apart could not be read back as one.
    const __m128i pairs = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(mask)),
                                            _mm_cvtsi32_si128(static_cast<int>(mask)));
    const auto spread = reinterpret_cast<Bytes16>(_mm_shuffle_epi32(_mm_shufflelo_epi16(pairs, 0x50), 0x50));
#else
    constexpr std::uint64_t kEach = 0x0101010101010101u;
    const Words2 halves = {(mask & 0xFFu) * kEach, ((mask >> 8) & 0xFFu) * kEach};
    const auto spread = reinterpret_cast<Bytes16>(halves);
#endif
    const Bytes16 bit = {1, 2, 4, 8, 16, 32, 64, 128, 1, 2, 4, 8, 16, 32, 64, 128};
    return reinterpret_cast<Bytes16>((spread & bit) != 0);
}

// The sum of the sixteen bytes, each at most 15.
inline unsigned SumOfBytes(Bytes16 bytes) {
#if defined(__SSE2__)
    const __m128i sums = _mm_sad_epu8(reinterpret_cast<__m128i>(bytes), _mm_setzero_si128());  // one per half
    return static_cast<unsigned>(_mm_cvtsi128_si32(_mm_add_epi32(sums, _mm_srli_si128(sums, 8))));
#else
    constexpr std::uint64_t kEach = 0x0101010101010101u;
    const auto halves = reinterpret_cast<Words2>(bytes);
    const std::uint64_t pairs = halves[0] + halves[1];  // at most 30 a byte: no carry
    return static_cast<unsigned>((pairs * kEach) >> 56);
#endif
}

// Sixteen bytes of a text in one register, and what is found among them, bit i for byte i: the one way the
// judges and printers above this folder look at bytes sixteen at a time.
class Sixteen {
public:
    static Sixteen Load(const char* text) { return Sixteen(LoadSixteen(text)); }
    // Eight bytes and eight more, put together in registers (a copy into a buffer would be read back before its
    // stores settle); the first eight are the lower ones.
    static Sixteen FromHalves(std::uint64_t first, std::uint64_t last) {
        const Words2 halves = {first, last};
        return Sixteen(reinterpret_cast<Bytes16>(halves));
    }
    // 0xFF in byte i where bit i of `mask` is set, 0 elsewhere.
    static Sixteen FromBits(unsigned mask) { return Sixteen(MaskBytes(mask)); }

    void Store(char* out) const { std::memcpy(out, &bytes_, sizeof bytes_); }

    [[nodiscard]] unsigned Digits() const { return FlagMask(DigitBytes(bytes_)); }
    [[nodiscard]] unsigned Equal(char c) const { return FlagMask(BytesEqualTo(bytes_, c)); }
    // Any of the bytes `c`, found together.
    template <class... Chars>
    [[nodiscard]] unsigned AnyOf(Chars... c) const {
        return FlagMask((BytesEqualTo(bytes_, c) | ...));
    }
    // The same, or a byte outside `low` to `high`.
    template <class... Chars>
    [[nodiscard]] unsigned OutsideOrAnyOf(std::uint8_t low, std::uint8_t high, Chars... c) const {
        const auto outside = reinterpret_cast<Bytes16>(static_cast<Bytes16>(bytes_ - low) > static_cast<std::uint8_t>(high - low));
        return FlagMask((outside | ... | BytesEqualTo(bytes_, c)));
    }
    [[nodiscard]] unsigned AtMost(std::uint8_t high) const {
        return FlagMask(reinterpret_cast<Bytes16>(bytes_ <= high));
    }
    [[nodiscard]] unsigned Within(std::uint8_t low, std::uint8_t high) const {
        return FlagMask(reinterpret_cast<Bytes16>(static_cast<Bytes16>(bytes_ - low) <= static_cast<std::uint8_t>(high - low)));
    }
    // The Luhn sum's share of these digits: each where `taken` is 0xFF once, and where `doubled` is too once
    // more, less 9 from 5 on, which makes the digit sum of its double.
    [[nodiscard]] unsigned LuhnShares(Sixteen taken, Sixteen doubled) const {
        const Bytes16 value = bytes_ - '0';
        const Bytes16 again = value & doubled.bytes_;
        const Bytes16 nines = reinterpret_cast<Bytes16>(again > 4) & 9;
        return SumOfBytes((value & taken.bytes_) + again - nines);
    }

private:
    explicit Sixteen(Bytes16 bytes) : bytes_(bytes) {}
    Bytes16 bytes_;
};

// What `find` (a mask of a Sixteen) finds among the thirty-two bytes at `text`, all readable.
template <class Find>
std::uint32_t AmongThirtyTwo(const char* text, const Find& find) {
    return find(Sixteen::Load(text)) | static_cast<std::uint32_t>(find(Sixteen::Load(text + 16))) << 16;
}

// Bit i set where byte i of the thirty-two at `text`, all readable, is `c`.
inline std::uint32_t BytesEqualMask32(const char* text, char c) {
    return AmongThirtyTwo(text, [c](Sixteen sixteen) { return sixteen.Equal(c); });
}

// Bit i set where byte i of the thirty-two at `text`, all readable, is a NUL.
inline std::uint32_t NulsAmongThirtyTwo(const char* text) { return BytesEqualMask32(text, '\0'); }

// Set bits of a mask of at most 32 bits, without the instruction not every x86-64 processor has.
constexpr unsigned CountBits(std::uint32_t bits) {
    bits -= (bits >> 1) & 0x55555555u;
    bits = (bits & 0x33333333u) + ((bits >> 2) & 0x33333333u);
    bits = (bits + (bits >> 4)) & 0x0F0F0F0Fu;
    return (bits * 0x01010101u) >> 24;
}

}  // namespace kalderos::bytes
