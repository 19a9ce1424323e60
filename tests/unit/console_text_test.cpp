// The version stamp built from build dates and times of every form.
#include <gtest/gtest.h>

#include <string>

#include "console/version_stamp.h"

namespace kalderos {
namespace {

TEST(MakeVersionStamp, DatesAndTimes) {
    EXPECT_EQ(MakeVersionStamp("Aug 27 2013", "09:13:38", "\xFB"), "13.08.27.09.13\xFB");
    EXPECT_EQ(MakeVersionStamp("Aug 27 2013", "09:13:38"), "13.08.27.09.13");
    EXPECT_EQ(MakeVersionStamp("Mar  5 2024", "23:59:59"), "24.03.05.23.59");
    const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int m = 0; m < 12; ++m) {
        char expected[32];
        std::snprintf(expected, sizeof expected, "99.%02d.01.00.00", m + 1);
        EXPECT_EQ(MakeVersionStamp(std::string(months[m]) + "  1 1999", "00:00:00"), expected) << months[m];
    }
    EXPECT_EQ(MakeVersionStamp("Foo 10 2010", "12:34:56"), "10..10.12.34");
    EXPECT_EQ(MakeVersionStamp("Dec 31 2099", "12:34:56", "a:b"), "99.12.31.12.34a:b");
    EXPECT_EQ(MakeVersionStamp("Dec 31 2099", "12:34:56", std::string(40, 's')).size(), 14u + 33u);
}

}  // namespace
}  // namespace kalderos
