// The eight-at-once digit test agrees with the one-at-a-time one for every byte value at every position.
#include <gtest/gtest.h>

#include <cstring>

#include "ssn/digit_bytes.h"

namespace kalderos {
namespace {

TEST(DigitBytes, EveryByteAtEveryPosition) {
    for (const char fill : {'0', '9'}) {
        for (int position = 0; position < 8; ++position) {
            for (int byte = 0; byte < 256; ++byte) {
                char eight[8];
                std::memset(eight, fill, sizeof eight);
                eight[position] = static_cast<char>(byte);
                const int expected = byte >= '0' && byte <= '9' ? 8 : position;
                EXPECT_EQ(text::LeadingDigitsOfEight(text::LoadEight(eight)), expected)
                    << "byte " << byte << " at " << position << " among " << fill;
            }
        }
    }
}

TEST(DigitBytes, FirstOfSeveralNonDigitsCounts) {
    EXPECT_EQ(text::LeadingDigitsOfEight(text::LoadEight("123-45-6")), 3);
    EXPECT_EQ(text::LeadingDigitsOfEight(text::LoadEight("12345678")), 8);
    EXPECT_EQ(text::LeadingDigitsOfEight(text::LoadEight("\xFF" "2345678")), 0);
    EXPECT_EQ(text::LeadingDigitsOfEight(text::LoadEight("1234567:")), 7);
    EXPECT_EQ(text::LeadingDigitsOfEight(text::LoadEight("123456/8")), 6);
}

}  // namespace
}  // namespace kalderos
