// The built-in highest groups, the group-file reader's pairing rules, and the published lists read whole.
#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "kalderos/kalderos.h"

namespace kalderos {
namespace {

TEST(BuiltinGroupList, ListedAreas) {
    HighestGroupTable table;
    FillFromBuiltinGroupList(table);
    const std::pair<int, int> cases[] = {{1, 6},    {2, 6},    {3, 6},   {8, 92},  {665, 16}, {667, 38}, {733, 12},
                                         {750, 10}, {772, 70}, {123, 96}, {0, 0},  {666, 0},  {734, 0},  {749, 0},
                                         {773, 0},  {999, 0},  {586, 63}, {588, 3}, {754, 1}};
    for (const auto& [area, group] : cases) EXPECT_EQ(table.group[static_cast<std::size_t>(area)], group) << area;
    int filled = 0;
    for (const std::int32_t group : table.group) filled += group != 0;
    EXPECT_EQ(filled, 755);
}

struct ReaderCase {
    std::string text;
    std::vector<std::pair<int, int>> expected;  // areas and what they must hold afterwards (-999: untouched)
};

constexpr int kUntouched = -999;

TEST(GroupFileReader, PairingRules) {
    const ReaderCase cases[] = {
        {"772 72\n", {{772, 72}}},
        {"100 50 7\n200 30\n", {{100, 50}, {7, 200}, {30, kUntouched}}},
        {"123 abc 45 67", {{123, kUntouched}, {45, 67}}},
        {"HIGHEST GROUP ISSUED\n\n001 11\t002 13*\r\n", {{1, 11}, {2, 13}}},
        {"008 09", {{8, 9}}},
        {"772-72", {{772, -72}}},
        {"12,34", {{12, kUntouched}, {34, kUntouched}}},
        {"5 5\n5 7\n", {{5, 7}}},
        {"666 1 740 2 900 3", {{666, 1}, {740, 2}, {900, 3}}},
        {"", {{1, kUntouched}}},
        {"1000 5 -1 5 4 6", {{4, 6}}},
        {"999 7 1000 8 0 9", {{999, 7}, {0, 9}}},
        {"4294967297 5 4294967296 6 5 4294967302", {{1, kUntouched}, {0, kUntouched}, {5, kUntouched}}},
        {"4 -2147483649 5 -1 6 0", {{4, kUntouched}, {5, -1}, {6, 0}}},
        {"+4 +6", {{4, 6}}},
        {"- 4 6", {{4, 6}}},
        {"4 -x 5 6", {{4, kUntouched}, {5, 6}}},
        {"4 99999999999 5 6", {{4, kUntouched}, {5, 6}}},
        {"4 -2147483648 5 2147483647", {{4, INT32_MIN}, {5, INT32_MAX}}},
        {"4 2147483648", {{4, kUntouched}}},
        {"00000000000000000000000000004 7", {{4, 7}}},
        {std::string(1000, 'w') + " 4 7", {{4, 7}}},
        {"4", {{4, kUntouched}}},
        {"4 5x 6 7", {{4, 5}, {6, 7}}},
    };
    // A pair stored for area 1000 would land in `after`.
    struct Guarded {
        HighestGroupTable table;
        std::int32_t after = kUntouched;
    };
    static_assert(offsetof(Guarded, after) == sizeof(HighestGroupTable));
    for (const ReaderCase& c : cases) {
        Guarded guarded;
        HighestGroupTable& table = guarded.table;
        table.group.fill(kUntouched);
        ReadGroupText(c.text, table);
        for (const auto& [area, group] : c.expected) {
            EXPECT_EQ(table.group[static_cast<std::size_t>(area)], group) << '"' << c.text.substr(0, 60) << "\" area " << area;
        }
        EXPECT_EQ(guarded.after, kUntouched) << '"' << c.text.substr(0, 60) << "\" wrote past area 999";
    }
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(GroupFileReader, ChunkBoundariesDoNotMatter) {
    const std::string text = ReadFile(KALDEROS_DATA_DIR "/ssa-high-group/july_2007_raw.txt");
    ASSERT_FALSE(text.empty());
    HighestGroupTable whole;
    ReadGroupText(text, whole);
    for (const std::size_t chunk : {1u, 2u, 3u, 7u, 64u}) {
        HighestGroupTable pieces;
        GroupFileReader reader(pieces);
        for (std::size_t at = 0; at < text.size(); at += chunk) reader.Feed(std::string_view(text).substr(at, chunk));
        reader.Finish();
        EXPECT_EQ(pieces.group, whole.group) << "chunks of " << chunk;
    }
}

TEST(GroupFileReader, PublishedLists) {
    const struct {
        const char* file;
        std::vector<std::pair<int, int>> areas;  // as printed in the file
    } lists[] = {
        {"november_2003_raw.txt", {{1, 98}, {5, 4}, {8, 86}, {123, 92}, {232, 51}, {586, 51}, {772, 22}}},
        {"july_2007_raw.txt", {{1, 6}, {5, 8}, {8, 90}, {123, 94}, {232, 53}, {586, 61}, {772, 60}}},
        {"june_24_2011_raw.txt", {{1, 11}, {5, 13}, {9, 94}, {10, 94}, {123, 98}, {232, 57}, {586, 67}, {772, 2}}},
    };
    for (const auto& list : lists) {
        const std::string text = ReadFile(std::string(KALDEROS_DATA_DIR "/ssa-high-group/") + list.file);
        ASSERT_FALSE(text.empty()) << list.file;
        HighestGroupTable table;
        ReadGroupText(text, table);
        for (const auto& [area, group] : list.areas) {
            EXPECT_EQ(table.group[static_cast<std::size_t>(area)], group) << list.file << " area " << area;
        }
    }
}

}  // namespace
}  // namespace kalderos
