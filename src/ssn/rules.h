// Pieces of the validity rules that tests and the result line look at on their own.
#pragma once

#include <cstdint>

#include "kalderos/kalderos.h"

namespace kalderos::ssn {

// Areas 001-772 had been assigned when the data was taken and are judged against it. Areas 773-899 were opened
// after it (issuance was randomised from June 2011), so a number there is neither confirmed nor refused.
inline constexpr std::int32_t kLastAssignedArea = 772;
inline constexpr std::int32_t kFirstUnknownArea = 773;
inline constexpr std::int32_t kLastUnknownArea = 899;

// One unsigned comparison each, so that a negative area (a text that starts with a minus sign) falls outside.
constexpr bool IsAssignedArea(std::int32_t area) {
    return static_cast<std::uint32_t>(area) - 1u < static_cast<std::uint32_t>(kLastAssignedArea);
}
constexpr bool IsUnknownArea(std::int32_t area) {
    return static_cast<std::uint32_t>(area) - static_cast<std::uint32_t>(kFirstUnknownArea) <=
           static_cast<std::uint32_t>(kLastUnknownArea - kFirstUnknownArea);
}
static_assert(kLastAssignedArea + 1 == kFirstUnknownArea && !IsAssignedArea(0) && !IsAssignedArea(-5) &&
              IsAssignedArea(1) && IsAssignedArea(772) && !IsUnknownArea(772) && IsUnknownArea(773) &&
              IsUnknownArea(899) && !IsUnknownArea(900) && !IsUnknownArea(-1));

// Groups of an area are issued in four classes, one after the other: odd 01-09, even 10-98, even 02-08,
// odd 11-99. The codes grow with the order of issue.
enum class GroupOrderClass : std::uint8_t { FirstOdd = 2, SecondEven = 4, ThirdEven = 8, FourthOdd = 16 };

[[nodiscard]] GroupOrderClass ClassifyGroup(std::int32_t group);

// Where a group value stands in the order of issue: its class first, then the value itself within the class.
// A group was issued no later than another when its order is not greater.
[[nodiscard]] std::int64_t IssueOrder(std::int32_t group);

// On the known-invalid list of `rules`: the current rules' holds two published numbers more than the classic.
[[nodiscard]] bool IsKnownInvalid(std::int32_t area, std::int32_t group, std::int32_t serial, RuleSet rules);

// The mark "CONFIRM" asks for a closer look: the group is the area's highest issued (`highest`) and the serial
// is not 0. The text line shows it whatever the verdict; a record's confirm holds only for a valid number.
constexpr bool MarksConfirm(std::int32_t group, std::int32_t serial, std::int32_t highest) {
    return (group == highest) & (serial != 0);
}

// The same for any number: never for an area outside 000-999.
[[nodiscard]] bool MarksConfirm(const SsnNumber& number, const HighestGroupTable& table);

}  // namespace kalderos::ssn
