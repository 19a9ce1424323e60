// ParseSsn by position: the usual forms, odd spacing, signs, and fields carried over from the number before.
#include <gtest/gtest.h>

#include <string>

#include "kalderos/kalderos.h"

namespace kalderos {
namespace {

constexpr std::int32_t kPrev = -7777;  // marks a field the text must leave alone

struct ParseCase {
    std::string text;
    std::int32_t area, group, serial;
};

template <std::size_t N>
void ExpectFields(const ParseCase (&cases)[N]) {
    for (const ParseCase& c : cases) {
        SsnNumber number{kPrev, kPrev, kPrev};
        ParseSsn(c.text, number);
        EXPECT_EQ(number.area, c.area) << '"' << c.text << '"';
        EXPECT_EQ(number.group, c.group) << '"' << c.text << '"';
        EXPECT_EQ(number.serial, c.serial) << '"' << c.text << '"';
    }
}

TEST(ParseSsn, FieldsByPosition) {
    const ParseCase cases[] = {
        {"123-45-6789", 123, 45, 6789},   {"123456789", 123, 45, 6789},     {"123-45-6789\n", 123, 45, 6789},
        {"123 45 6789", 123, 45, 6789},   {"1234567890", 123, 45, 6789},    {"12345678", 123, 45, 678},
        {"123-4-56789", 123, 4, 5678},    {"12-34-5678", 12, 34, 5678},     {"12-345-6789", 12, 34, 5},
        {"1-23-4567", 1, 3, 4567},        {" 123-45-6789", 123, 3, 45},     {" 123456789", 123, 34, 5678},
        {"+12-45-6789", 12, 45, 6789},    {"SSN 123-45-6789", kPrev, 12, 3}, {"123-45", 123, 45, kPrev},
        {"12", 12, kPrev, kPrev},         {"abc", kPrev, kPrev, kPrev},     {"", kPrev, kPrev, kPrev},
        {"\n", kPrev, kPrev, kPrev},      {"-12-45-6789", -12, 45, 6789},   {"-1", -1, kPrev, kPrev},
        {"- 12-45-6789", kPrev, 2, 45},   {"\t\n 7", 7, 7, kPrev},          {"1234", 123, 4, kPrev},
        {"12345", 123, 45, kPrev},        {"123456", 123, 45, 6},           {"\xE9\xE9\xE9" "45\xFF" "6789", kPrev, 45, 6789},
    };
    ExpectFields(cases);
}

// The usual shapes are read by a shortcut; texts one character away from them must still read by position.
TEST(ParseSsn, NearTheUsualShapes) {
    const ParseCase cases[] = {
        {"123-45-678", 123, 45, 678},
        {"123-45:6789", 123, 45, 6789},
        {"123:45-6789", 123, 45, 6789},
        {"123-4a-6789", 123, 4, 6789},
        {std::string("12345678\0" "9", 10), 123, 45, 678},
        {std::string("123-45-67\0" "89", 12), 123, 45, 67},
        {"1234567890123", 123, 45, 6789},
        {"123-45-6789-1", 123, 45, 6789},
        {"123-456789", 123, 45, 6789},
        {std::string("123\0" "45-6789", 11), 123, kPrev, kPrev},
        {std::string("123-45\0" "6789", 11), 123, 45, kPrev},  // the dashed shape needs its dash at 6
        {"123-4556789", 123, 45, 5678},
    };
    ExpectFields(cases);
}

TEST(ParseSsn, NoDigitsRepeatsThePreviousNumber) {
    SsnNumber number;
    ParseSsn("abc", number);
    EXPECT_EQ(number.area, 0);
    EXPECT_EQ(number.group, 0);
    EXPECT_EQ(number.serial, 0);
    ParseSsn("123-45-6789", number);
    ParseSsn("abc", number);
    EXPECT_EQ(number.area, 123);
    EXPECT_EQ(number.group, 45);
    EXPECT_EQ(number.serial, 6789);
}

}  // namespace
}  // namespace kalderos
