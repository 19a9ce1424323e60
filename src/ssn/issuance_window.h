// Between which months a number could have been issued, as far as the three published highest-group lists
// bound it. For one list, a group of an area is issued when it comes before the list's highest group in the
// order of issue, open when it is that group, and not yet issued when it comes after it (or when the list
// names no group for the area). A window is what the lists allow, not the day of issue.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ssn/published_lists.h"

namespace kalderos::ssn {

inline constexpr std::size_t kPublishedListCount = kPublishedLists.size();
static_assert(kPublishedListCount < 8, "a window names a list in a few bits");

// A list by its place in kPublishedLists plus one; 0 names none, an empty field.
struct IssuanceWindow {
    std::uint8_t issued_after = 0;  // the latest list at which the group was not yet issued
    std::uint8_t issued_by = 0;     // the earliest list at which it was issued
    friend constexpr bool operator==(const IssuanceWindow&, const IssuanceWindow&) = default;
};

// "YYYY-MM" of the list a window field names; empty for 0.
constexpr std::string_view WindowMonth(std::uint8_t list) {
    return list == 0 || list > kPublishedListCount ? std::string_view{} : kPublishedLists[list - 1u].month;
}

// The place of group 01-99 in the order of issue, 1-99: odd 01-09, even 10-98, even 02-08, odd 11-99. 0 for
// group 00, which is never issued.
constexpr std::uint8_t IssueRank(int group) {
    if (group <= 0 || group > 99) return 0;
    const bool odd = group % 2 == 1;
    int rank = 0;
    if (odd && group < 10) rank = 1 + (group - 1) / 2;           // 1-5
    else if (!odd && group >= 10) rank = 6 + (group - 10) / 2;  // 6-50
    else if (!odd) rank = 51 + (group - 2) / 2;                 // 51-54
    else rank = 55 + (group - 11) / 2;                          // 55-99
    return static_cast<std::uint8_t>(rank);
}
static_assert(IssueRank(1) == 1 && IssueRank(9) == 5 && IssueRank(10) == 6 && IssueRank(98) == 50 &&
              IssueRank(2) == 51 && IssueRank(8) == 54 && IssueRank(11) == 55 && IssueRank(99) == 99 &&
              IssueRank(0) == 0);

namespace window_detail {

using ListRanks = std::array<std::uint8_t, kPublishedListCount>;

// Per area, the rank of each list's highest group; 0 where a list names none, so that every group is after it.
constexpr std::array<ListRanks, kAreaCount> BuildHighestRanks() {
    std::array<ListRanks, kAreaCount> ranks{};
    for (std::size_t area = 0; area < ranks.size(); ++area) {
        for (std::size_t list = 0; list < kPublishedListCount; ++list) {
            ranks[area][list] = IssueRank(kPublishedLists[list].highest[area]);
        }
    }
    return ranks;
}

constexpr std::array<std::uint8_t, 100> BuildGroupRanks() {
    std::array<std::uint8_t, 100> ranks{};
    for (int group = 0; group < 100; ++group) ranks[static_cast<std::size_t>(group)] = IssueRank(group);
    return ranks;
}

inline constexpr std::array<ListRanks, kAreaCount> kHighestRanks = BuildHighestRanks();
inline constexpr std::array<std::uint8_t, 100> kGroupRanks = BuildGroupRanks();

// For a set of lists as bits, the highest list and the lowest, plus one; 0 for none. Looked up: a bit scan
// branches on the empty set, which random numbers make unpredictable.
using ListBySet = std::array<std::uint8_t, 1u << kPublishedListCount>;

constexpr ListBySet BuildLastLists() {
    ListBySet last{};
    for (unsigned set = 0; set < last.size(); ++set) last[set] = static_cast<std::uint8_t>(std::bit_width(set));
    return last;
}
constexpr ListBySet BuildFirstLists() {
    ListBySet first{};
    for (unsigned set = 1; set < first.size(); ++set) first[set] = static_cast<std::uint8_t>(std::countr_zero(set) + 1);
    return first;
}
inline constexpr ListBySet kLastLists = BuildLastLists();
inline constexpr ListBySet kFirstLists = BuildFirstLists();

}  // namespace window_detail

// The window of a valid number's area and group: a few compares against tables made at compile time, for a
// list's loop. Area outside 000-999 or group outside 01-99 gives the empty window; for an invalid number the
// caller leaves both fields empty, since the lists say nothing about it.
constexpr IssuanceWindow WindowFor(std::int32_t area, std::int32_t group) {
    if (static_cast<std::uint32_t>(area) >= static_cast<std::uint32_t>(kAreaCount) ||
        static_cast<std::uint32_t>(group) - 1u >= 99u) {
        return {};
    }
    const unsigned rank = window_detail::kGroupRanks[static_cast<std::size_t>(group)];
    const window_detail::ListRanks& highest = window_detail::kHighestRanks[static_cast<std::size_t>(area)];
    unsigned issued = 0;   // bit i: issued at list i
    unsigned not_yet = 0;  // bit i: not yet issued at list i
    for (std::size_t list = 0; list < kPublishedListCount; ++list) {
        issued |= static_cast<unsigned>(rank < highest[list]) << list;
        not_yet |= static_cast<unsigned>(rank > highest[list]) << list;
    }
    return {window_detail::kLastLists[not_yet], window_detail::kFirstLists[issued]};
}

// Every area's and group's window, packed as issued_after | issued_by << 4, indexed by area * 100 + group: a
// list's loop looks a window up rather than computing it.
using PackedWindows = std::array<std::uint8_t, static_cast<std::size_t>(kAreaCount) * 100>;

constexpr std::uint8_t Pack(IssuanceWindow window) {
    return static_cast<std::uint8_t>(window.issued_after | window.issued_by << 4);
}
constexpr IssuanceWindow Unpack(std::uint8_t packed) {
    return {static_cast<std::uint8_t>(packed & 15u), static_cast<std::uint8_t>(packed >> 4)};
}

// The table, made once on the first call.
[[nodiscard]] const PackedWindows& PackedWindowTable();

// WindowFor(area, group) packed, from `table`, for an area of 000-999 and a group of 00-99.
inline std::uint8_t PackedWindowFor(const PackedWindows& table, std::int32_t area, std::int32_t group) {
    return table[static_cast<std::size_t>(area) * 100 + static_cast<std::size_t>(group)];
}

}  // namespace kalderos::ssn
