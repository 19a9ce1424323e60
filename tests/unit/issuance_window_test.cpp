// The issuance window against the published lists' files read here, word by word, and against rows on each
// list's boundary.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ssn/issuance_window.h"

namespace kalderos {
namespace {

using ssn::IssuanceWindow;
using ssn::WindowFor;
using ssn::WindowMonth;

struct RawList {
    const char* file;
    const char* month;
};
constexpr RawList kRawLists[] = {
    {"november_2003_raw.txt", "2003-11"}, {"july_2007_raw.txt", "2007-07"}, {"june_24_2011_raw.txt", "2011-06"}};

bool AllDigits(const std::string& word, std::size_t count) {
    return word.size() == count && std::all_of(word.begin(), word.end(), [](unsigned char c) { return std::isdigit(c); });
}

// Area -> highest group: a word of three digits followed by a word of two, a '*' after them dropped. Heading
// dates, prose and blank lines are words of some other shape.
std::map<int, int> ReadRawList(const char* file) {
    std::ifstream in(std::string(KALDEROS_DATA_DIR "/ssa-high-group/") + file, std::ios::binary);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        if (!word.empty() && word.back() == '*') word.pop_back();
        words.push_back(word);
    }
    std::map<int, int> highest;
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        if (AllDigits(words[i], 3) && AllDigits(words[i + 1], 2)) {
            highest[std::stoi(words[i])] = std::stoi(words[i + 1]);
            ++i;
        }
    }
    return highest;
}

// The order of issue written out.
std::vector<int> IssueOrder() {
    std::vector<int> order;
    for (int g = 1; g <= 9; g += 2) order.push_back(g);
    for (int g = 10; g <= 98; g += 2) order.push_back(g);
    for (int g = 2; g <= 8; g += 2) order.push_back(g);
    for (int g = 11; g <= 99; g += 2) order.push_back(g);
    return order;
}

std::string Show(const IssuanceWindow& window) {
    return "(" + std::string(WindowMonth(window.issued_after)) + ", " + std::string(WindowMonth(window.issued_by)) + ")";
}

// Every area and group: issued_by the first list whose highest group comes after the group, issued_after the last
// list whose highest group comes before it (or that names none).
TEST(IssuanceWindow, AgreesWithTheRawFiles) {
    const std::vector<int> order = IssueOrder();
    const auto place = [&order](int group) { return std::find(order.begin(), order.end(), group) - order.begin(); };
    std::vector<std::map<int, int>> lists;
    for (const RawList& raw : kRawLists) {
        lists.push_back(ReadRawList(raw.file));
        ASSERT_GT(lists.back().size(), 700u) << raw.file;
    }
    for (int area = 0; area < kAreaCount; ++area) {
        for (int group = 1; group <= 99; ++group) {
            std::string after;
            std::string by;
            for (std::size_t i = 0; i < lists.size(); ++i) {
                const auto found = lists[i].find(area);
                const bool named = found != lists[i].end() && found->second != 0;
                if (!named || place(group) > place(found->second)) after = kRawLists[i].month;
                if (named && place(group) < place(found->second) && by.empty()) by = kRawLists[i].month;
            }
            ASSERT_EQ(Show(WindowFor(area, group)), "(" + after + ", " + by + ")") << area << "-" << group;
        }
    }
}

// Below, at and above each list's highest group; "-" is an empty field.
TEST(IssuanceWindow, OnEachListsBoundary) {
    const struct {
        int area;
        int group;
        const char* after;
        const char* by;
    } rows[] = {
        // area 001: 98 in 2003, 06 in 2007, 11 in 2011
        {1, 96, "-", "2003-11"},        {1, 98, "-", "2007-07"},        {1, 2, "2003-11", "2007-07"},
        {1, 4, "2003-11", "2007-07"},   {1, 6, "2003-11", "2011-06"},   {1, 8, "2007-07", "2011-06"},
        {1, 11, "2007-07", "-"},        {1, 13, "2011-06", "-"},        {1, 1, "-", "2003-11"},
        // area 754: named first in 2011, with 07
        {754, 5, "2007-07", "2011-06"}, {754, 7, "2007-07", "-"},       {754, 9, "2011-06", "-"},
        // area 588: none in 2003, 01 in 2007, 09 in 2011
        {588, 1, "2003-11", "2011-06"}, {588, 3, "2007-07", "2011-06"}, {588, 9, "2007-07", "-"},
        {588, 10, "2011-06", "-"},
        // area 772: 22, 60, 02 (even 10-98 before even 02-08)
        {772, 20, "-", "2003-11"},      {772, 22, "-", "2007-07"},      {772, 60, "2003-11", "2011-06"},
        {772, 62, "2007-07", "2011-06"}, {772, 2, "2007-07", "-"},      {772, 4, "2011-06", "-"},
        // never named: opened only at random
        {734, 1, "2011-06", "-"},       {800, 99, "2011-06", "-"},      {899, 1, "2011-06", "-"},
        // no group 00; fields out of range
        {1, 0, "-", "-"},               {-1, 1, "-", "-"},              {1000, 1, "-", "-"},
        {1, 100, "-", "-"},
    };
    const auto field = [](const char* month) { return std::string(month) == "-" ? std::string() : month; };
    for (const auto& row : rows) {
        EXPECT_EQ(Show(WindowFor(row.area, row.group)), "(" + field(row.after) + ", " + field(row.by) + ")")
            << row.area << "-" << row.group;
    }
}

TEST(IssuanceWindow, RankFollowsTheOrderOfIssue) {
    const std::vector<int> order = IssueOrder();
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(ssn::IssueRank(order[i]), i + 1) << order[i];
}

}  // namespace
}  // namespace kalderos
