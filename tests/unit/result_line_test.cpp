// Result-line bytes where printf's own rules matter: signs, widths beyond the padding, the CONFIRM test.
#include <gtest/gtest.h>

#include <string>

#include "kalderos/kalderos.h"

namespace kalderos {
namespace {

std::string Line(SsnNumber number, SsnVerdict verdict, const HighestGroupTable& table) {
    char buffer[kMaxResultLineLength];
    return {buffer, FormatResultLine(number, verdict, table, buffer)};
}

TEST(FormatResultLine, PaddingAndSignsAsPrintfGivesThem) {
    HighestGroupTable table;
    FillFromBuiltinGroupList(table);
    const struct {
        SsnNumber number;
        SsnVerdict verdict;
        std::string line;
    } cases[] = {
        {{-12, 45, 6789}, SsnVerdict::Invalid, "SSN: -12-45-6789   ILLEGAL -12           VALID=NO\n"},
        {{-5, 4, 3}, SsnVerdict::Invalid, "SSN: -05-04-0003   ILLEGAL -05           VALID=NO\n"},
        {{7, 5, 9}, SsnVerdict::Valid, "SSN: 007-05-0009   Maine                 VALID=YES\n"},
        {{1234, 123, 12345}, SsnVerdict::Invalid, "SSN: 1234-123-12345 (null) VALID=NO\n"},
        {{INT32_MIN, INT32_MIN, INT32_MIN}, SsnVerdict::Invalid,
         "SSN: -2147483648--2147483648--2147483648   ILLEGAL -2147483648           VALID=NO\n"},
        {{900, -3, 1}, SsnVerdict::Invalid, "SSN: 900--3-0001 (null) VALID=NO\n"},
        {{8, 92, 1}, SsnVerdict::Valid, "SSN: 008-92-0001   Vermont               VALID=YES  CONFIRM\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(Line(c.number, c.verdict, table), c.line);
}

TEST(FormatResultLine, ConfirmFollowsTheTableNotTheVerdict) {
    HighestGroupTable table;
    table.group[800] = 12;
    EXPECT_EQ(Line({800, 12, 3456}, SsnVerdict::Unknown, table), "SSN: 800-12-3456   UNKNOWN-after 06/2011 VALID=MAYBE  CONFIRM\n");
    EXPECT_EQ(Line({800, 12, 0}, SsnVerdict::Unknown, table), "SSN: 800-12-0000   UNKNOWN-after 06/2011 VALID=MAYBE\n");
    EXPECT_EQ(Line({-1, 0, 1}, SsnVerdict::Invalid, table), "SSN: -01-00-0001   ILLEGAL -01           VALID=NO\n");
}

TEST(FormatResultLine, LongestLineFits) {
    HighestGroupTable table;
    table.group[586] = INT32_MIN;
    const std::string line = Line({586, INT32_MIN, INT32_MIN}, SsnVerdict::Valid, table);
    EXPECT_LE(line.size(), kMaxResultLineLength);
    EXPECT_NE(line.find("CONFIRM"), std::string::npos);
}

}  // namespace
}  // namespace kalderos
