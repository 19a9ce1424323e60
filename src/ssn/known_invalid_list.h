// Numbers that are never valid whatever their group's place in the issuance order: published misuse
// (advertising samples, wallet inserts) and the never-issued area 666.
#pragma once

#include <array>
#include <cstdint>

namespace kalderos::ssn {

inline constexpr int kAny = -1;

struct KnownInvalidEntry {
    int area;
    std::array<int, 5> groups;  // listed groups, kAny padding; all kAny means any group
    int group_range_first;      // and every group from first to last (none when first > last)
    int group_range_last;
    std::array<int, 2> serials;  // listed serials; all kAny means any serial
};

inline constexpr std::array<KnownInvalidEntry, 18> kKnownInvalidList{{
    {2, {28, kAny, kAny, kAny, kAny}, 1, 0, {1852, kAny}},
    {42, {10, kAny, kAny, kAny, kAny}, 1, 0, {3580, kAny}},
    {62, {36, kAny, kAny, kAny, kAny}, 1, 0, {749, kAny}},
    {78, {5, kAny, kAny, kAny, kAny}, 1, 0, {1120, kAny}},
    {95, {7, kAny, kAny, kAny, kAny}, 1, 0, {3645, kAny}},
    {128, {3, kAny, kAny, kAny, kAny}, 1, 0, {6045, kAny}},
    {135, {1, kAny, kAny, kAny, kAny}, 1, 0, {6629, kAny}},
    {141, {18, kAny, kAny, kAny, kAny}, 1, 0, {6941, kAny}},
    {165, {16, 18, 20, 22, 24}, 1, 0, {7999, kAny}},
    {189, {9, kAny, kAny, kAny, kAny}, 1, 0, {2294, kAny}},
    {212, {9, kAny, kAny, kAny, kAny}, 1, 0, {7694, 9999}},
    {306, {30, kAny, kAny, kAny, kAny}, 1, 0, {2348, kAny}},
    {308, {12, kAny, kAny, kAny, kAny}, 1, 0, {5070, kAny}},
    {468, {28, kAny, kAny, kAny, kAny}, 1, 0, {8779, kAny}},
    {549, {24, kAny, kAny, kAny, kAny}, 1, 0, {1889, kAny}},
    {550, {19, kAny, kAny, kAny, kAny}, 1, 0, {kAny, kAny}},
    {586, {19, 29, 59, kAny, kAny}, 79, 99, {kAny, kAny}},
    {666, {kAny, kAny, kAny, kAny, kAny}, 1, 0, {kAny, kAny}},
}};

// Entry number plus one per area, 0 where the area has no entry: one load decides most numbers.
constexpr std::array<std::uint8_t, 1000> BuildKnownInvalidIndex() {
    std::array<std::uint8_t, 1000> index{};
    int previous = 0;
    for (std::size_t i = 0; i < kKnownInvalidList.size(); ++i) {
        const int area = kKnownInvalidList[i].area;
        if (area <= previous || area > 999) throw "entries must be in ascending area order, one per area";
        previous = area;
        index[static_cast<std::size_t>(area)] = static_cast<std::uint8_t>(i + 1);
    }
    return index;
}

inline constexpr std::array<std::uint8_t, 1000> kKnownInvalidIndex = BuildKnownInvalidIndex();

}  // namespace kalderos::ssn
