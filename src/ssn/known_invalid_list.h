// Numbers that are never valid whatever their group's place in the issuance order: published misuse
// (advertising samples, wallet inserts) and the never-issued area 666.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "kalderos/kalderos.h"
#include "rules/rule_sets.h"

namespace kalderos::ssn {

inline constexpr int kAny = -1;

struct KnownInvalidEntry {
    int area;
    std::array<int, 5> groups;  // listed groups, kAny padding; all kAny means any group
    int group_range_first;      // and every group from first to last (none when first > last)
    int group_range_last;
    std::array<int, 2> serials;  // listed serials; all kAny means any serial
};

// The classic rules' list first, then the published numbers the current rules add to it; each part in ascending
// area order.
inline constexpr std::array<KnownInvalidEntry, 20> kKnownInvalidList{{
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
    // The sample number of the Social Security Administration's own pamphlet of the 1940s, and one printed in
    // advertising.
    {219, {9, kAny, kAny, kAny, kAny}, 1, 0, {9999, kAny}},
    {457, {55, kAny, kAny, kAny, kAny}, 1, 0, {5462, kAny}},
}};

// The entries of the classic list, before those published since.
inline constexpr std::size_t kClassicKnownInvalidCount = 18;

// How many entries of the list, from its start, a rule set holds.
constexpr std::size_t KnownInvalidCount(RuleSet rules) {
    return RowOf(rules).later_known_invalid ? kKnownInvalidList.size() : kClassicKnownInvalidCount;
}

using KnownInvalidIndex = std::array<std::uint8_t, kAreaCount>;

// Entry number plus one per area, 0 where the area has no entry among those `rules` hold: one load decides most
// numbers.
constexpr KnownInvalidIndex BuildKnownInvalidIndex(RuleSet rules) {
    KnownInvalidIndex index{};
    int previous = 0;
    for (std::size_t i = 0; i < KnownInvalidCount(rules); ++i) {
        const int area = kKnownInvalidList[i].area;
        if (area < 1 || area >= kAreaCount || index[static_cast<std::size_t>(area)] != 0) throw "one entry per area";
        if (area <= previous && i != kClassicKnownInvalidCount) throw "each part in ascending area order";
        previous = area;
        index[static_cast<std::size_t>(area)] = static_cast<std::uint8_t>(i + 1);
    }
    return index;
}

// By RuleSet.
inline constexpr std::array<KnownInvalidIndex, kRuleSetCount> kKnownInvalidIndexes = [] {
    std::array<KnownInvalidIndex, kRuleSetCount> indexes{};
    for (const RuleSetRow& row : kRuleSetTable) indexes[static_cast<std::size_t>(row.set)] = BuildKnownInvalidIndex(row.set);
    return indexes;
}();

constexpr const KnownInvalidIndex& KnownInvalidIndexOf(RuleSet rules) {
    return kKnownInvalidIndexes[static_cast<std::size_t>(rules)];
}

}  // namespace kalderos::ssn
