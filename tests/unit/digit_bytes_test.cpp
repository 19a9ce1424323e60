// The many-bytes-at-once tests agree with the one-at-a-time ones for every byte value at every position, and the
// conversions between byte flags and bit masks are each other's inverse.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>

#include "bytes/byte_vectors.h"
#include "bytes/digit_bytes.h"

namespace kalderos {
namespace {

TEST(DigitBytes, EveryByteAtEveryPosition) {
    for (const char fill : {'0', '9'}) {
        for (int position = 0; position < 16; ++position) {
            for (int byte = 0; byte < 256; ++byte) {
                char sixteen[16];
                std::memset(sixteen, fill, sizeof sixteen);
                sixteen[position] = static_cast<char>(byte);
                const bool digit = byte >= '0' && byte <= '9';
                const bytes::Bytes16 bytes = bytes::LoadSixteen(sixteen);
                EXPECT_EQ(bytes::FlagMask(bytes::DigitBytes(bytes)), digit ? 0xFFFFu : 0xFFFFu & ~(1u << position))
                    << byte << " at " << position;
                EXPECT_EQ(bytes::FlagMask(bytes::BytesEqualTo(bytes, '-')), byte == '-' ? 1u << position : 0u);
            }
        }
    }
}

TEST(ByteVectors, MasksAndFlagsConvertBothWays) {
    for (unsigned mask = 0; mask <= 0xFFFFu; ++mask) {
        const bytes::Bytes16 flags = bytes::MaskBytes(mask);
        ASSERT_EQ(bytes::FlagMask(flags), mask);
        // Every byte is all ones or all zeros.
        const bytes::Bytes16 ones = flags & 1;
        ASSERT_EQ(bytes::SumOfBytes(ones), static_cast<unsigned>(std::popcount(mask))) << mask;
        ASSERT_EQ(bytes::CountBits(mask | mask << 16), 2u * static_cast<unsigned>(std::popcount(mask)));
    }
}

}  // namespace
}  // namespace kalderos
