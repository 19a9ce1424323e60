// The issuance window against the published lists' files read here, word by word, and on each list's boundary.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "kalderos/kalderos.h"
#include "ssn/issuance_window.h"

namespace kalderos {
namespace {

constexpr const char* kFiles[] = {"november_2003_raw.txt", "july_2007_raw.txt", "june_24_2011_raw.txt"};
constexpr const char* kMonths[] = {"2003-11", "2007-07", "2011-06"};

// Area -> highest group: a word of three digits followed by a word of two, with any '*' after them dropped.
std::map<int, int> ReadRawList(const char* file) {
    std::ifstream in(std::string(KALDEROS_DATA_DIR "/ssa-high-group/") + file, std::ios::binary);
    const auto digits = [](const std::string& w, std::size_t n) {
        return w.size() == n && std::all_of(w.begin(), w.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word.back() == '*' ? word.substr(0, word.size() - 1) : word);
    std::map<int, int> highest;
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        if (digits(words[i], 3) && digits(words[i + 1], 2)) highest[std::stoi(words[i])] = std::stoi(words[i + 1]);
    }
    return highest;
}

// The place of group 01-99 in the order of issue, written out: odd 01-09, even 10-98, even 02-08, odd 11-99.
long Place(int group) {
    std::vector<int> order;
    for (const auto& [first, last] : {std::pair{1, 9}, {10, 98}, {2, 8}, {11, 99}}) {
        for (int g = first; g <= last; g += 2) order.push_back(g);
    }
    return std::find(order.begin(), order.end(), group) - order.begin();
}

std::string Window(int area, int group) {
    const ssn::IssuanceWindow window = ssn::WindowFor(area, group);
    return std::string(ssn::WindowMonth(window.issued_after)) + "|" + std::string(ssn::WindowMonth(window.issued_by));
}

// issued_by: the first list whose highest group comes after the group; issued_after: the last list whose highest
// group comes before it, or that names none.
TEST(IssuanceWindow, AgreesWithTheRawFiles) {
    std::vector<std::map<int, int>> lists;
    for (const char* file : kFiles) lists.push_back(ReadRawList(file));
    ASSERT_EQ(lists[2].size(), 755u);
    for (int area = 0; area < kAreaCount; ++area) {
        for (int group = 1; group <= 99; ++group) {
            std::string after;
            std::string by;
            for (std::size_t i = 0; i < lists.size(); ++i) {
                const auto found = lists[i].find(area);
                const bool named = found != lists[i].end() && found->second != 0;
                if (!named || Place(group) > Place(found->second)) after = kMonths[i];
                if (named && Place(group) < Place(found->second) && by.empty()) by = kMonths[i];
            }
            ASSERT_EQ(Window(area, group), after + "|" + by) << area << "-" << group;
        }
    }
}

// The built-in highest groups are no one list's: area by area, in the order of issue, each is at or after the
// July 2007 list's and at or before the June 2011 list's, where a list that names no group for an area had none
// issued there (before 01). Only 754 and 755 are named after July 2007, and the built-in table names exactly
// the areas of June 2011.
TEST(IssuanceWindow, BuiltinGroupsLieBetweenJuly2007AndJune2011) {
    HighestGroupTable builtin;
    FillFromBuiltinGroupList(builtin);
    const std::map<int, int> july = ReadRawList(kFiles[1]);
    const std::map<int, int> june = ReadRawList(kFiles[2]);
    const auto place = [](const std::map<int, int>& list, int area) {
        const auto found = list.find(area);
        return found == list.end() || found->second == 0 ? -1 : Place(found->second);
    };
    std::vector<int> named_after_july;
    int named = 0;
    int as_july = 0;
    int as_june = 0;
    for (int area = 0; area < kAreaCount; ++area) {
        const int group = builtin.group[static_cast<std::size_t>(area)];
        const long built_in = group == 0 ? -1 : Place(group);
        EXPECT_LE(place(july, area), built_in) << area;
        EXPECT_LE(built_in, place(june, area)) << area;
        EXPECT_EQ(built_in == -1, place(june, area) == -1) << area;
        if (built_in == -1) continue;
        ++named;
        if (place(july, area) == -1) named_after_july.push_back(area);
        as_july += built_in == place(july, area);
        as_june += built_in == place(june, area);
    }
    EXPECT_EQ(named_after_july, (std::vector<int>{754, 755}));
    EXPECT_EQ(builtin.group[754], 1);
    EXPECT_EQ(builtin.group[755], 1);
    // Of the areas named, the group of July 2007 in 355 and that of June 2011 in 167: neither list.
    EXPECT_EQ(named, 755);
    EXPECT_EQ(as_july, 355);
    EXPECT_EQ(as_june, 167);
}

// Below, at and above each list's highest group.
TEST(IssuanceWindow, OnEachListsBoundary) {
    const struct {
        int area;
        int group;
        const char* window;
    } rows[] = {
        // area 001: 98 in 2003, 06 in 2007, 11 in 2011
        {1, 96, "|2003-11"}, {1, 98, "|2007-07"}, {1, 2, "2003-11|2007-07"}, {1, 6, "2003-11|2011-06"},
        {1, 8, "2007-07|2011-06"}, {1, 11, "2007-07|"}, {1, 13, "2011-06|"},
        // area 588: none in 2003, 01 in 2007, 09 in 2011; area 754 named first in 2011, with 07
        {588, 1, "2003-11|2011-06"}, {588, 3, "2007-07|2011-06"}, {588, 9, "2007-07|"}, {588, 10, "2011-06|"},
        {754, 5, "2007-07|2011-06"}, {754, 7, "2007-07|"}, {754, 9, "2011-06|"},
        // area 772: 22, 60, 02 (even 10-98 before even 02-08)
        {772, 20, "|2003-11"}, {772, 22, "|2007-07"}, {772, 60, "2003-11|2011-06"}, {772, 62, "2007-07|2011-06"},
        {772, 2, "2007-07|"}, {772, 4, "2011-06|"},
        // never named: only at random; no group 00; fields out of range
        {734, 1, "2011-06|"}, {800, 99, "2011-06|"}, {1, 0, "|"}, {-1, 1, "|"}, {1000, 1, "|"}, {1, 100, "|"},
    };
    for (const auto& row : rows) EXPECT_EQ(Window(row.area, row.group), row.window) << row.area << "-" << row.group;
}

// The table a list's loop looks windows up in holds WindowFor's every window.
TEST(IssuanceWindow, PackedTableIsWindowFor) {
    const ssn::PackedWindows& table = ssn::PackedWindowTable();
    for (std::int32_t area = 0; area < kAreaCount; ++area) {
        for (std::int32_t group = 0; group < 100; ++group) {
            ASSERT_EQ(ssn::PackedWindowFor(table, area, group), ssn::Pack(ssn::WindowFor(area, group)))
                << area << "-" << group;
        }
    }
}

}  // namespace
}  // namespace kalderos
