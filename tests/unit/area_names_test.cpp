// Places of issue: single names as typed, joined names where an area stands in several rows, gaps left empty.
#include <gtest/gtest.h>

#include <string>

#include "kalderos/kalderos.h"
#include "ssn/area_name_index.h"

namespace kalderos {
namespace {

TEST(AreaName, ListedAreas) {
    const struct {
        std::int32_t area;
        std::string name;
    } cases[] = {
        {1, "  New Hampshire        "},
        {134, "  New York             "},
        {699, "* Not Assigned         "},
        {700, "  Railroad Board**     "},
        {733, "  Enumeration at Entry "},
        {232, "  North Carolina,   West Virginia        "},
        {233, "  West Virginia        "},
        {236, "  West Virginia        "},
        {580, "  Virgin Islands,   Puerto Rico          "},
        {584, "  Puerto Rico          "},
        {586, "  American Samoa,   Guam,   Philippine Islands   "},
        {525, "  New Mexico           "},
        {585, "  New Mexico           "},
        {587, "  Mississippi          "},
        {588, "  Mississippi          "},
        {766, "  Florida              "},
        {772, "  Florida              "},
        {0, ""},
        {666, ""},
        {734, ""},
        {749, ""},
        {773, ""},
        {999, ""},
        {-1, ""},
        {1000, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(std::string(AreaName(c.area)), c.name) << c.area;
}

TEST(AreaName, EveryNamedAreaBetween1And772ExceptTheGaps) {
    for (int area = 0; area < kAreaCount; ++area) {
        const bool gap = area == 0 || area == 666 || (area >= 734 && area <= 749) || area > 772;
        EXPECT_EQ(AreaName(area).empty(), gap) << area;
        if (!gap && area != 232 && area != 580 && area != 586) {
            EXPECT_EQ(AreaName(area).size(), 23u) << area;
        }
    }
}

TEST(AreaNameIndex, TrimmingKeepsTheFirstCharacter) {
    ssn::AreaNameText blank;
    for (const char c : std::string_view("   ")) blank.text[blank.length++] = c;
    ssn::detail::TrimTrailingSpace(blank);
    EXPECT_EQ(blank.View(), " ");
    ssn::AreaNameText empty;
    ssn::detail::TrimTrailingSpace(empty);
    EXPECT_EQ(empty.View(), "");
}

TEST(AreaNameIndex, RangeTextsScanLikeTheirPattern) {
    const struct {
        std::string_view range;
        int items, first;
        char separator;
        int second;
    } cases[] = {
        {"001-003", 3, 1, '-', 3}, {"525,585", 3, 525, ',', 585}, {"232    ", 2, 232, ' ', 0}, {"", 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const auto scan = ssn::detail::ScanRange(c.range);
        EXPECT_EQ(scan.items, c.items) << c.range;
        EXPECT_EQ(scan.first, c.first) << c.range;
        EXPECT_EQ(scan.separator, c.separator) << c.range;
        EXPECT_EQ(scan.second, c.second) << c.range;
    }
}

}  // namespace
}  // namespace kalderos
