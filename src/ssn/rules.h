// Pieces of the validity rules that tests and the result line look at on their own.
#pragma once

#include <cstdint>

namespace kalderos::ssn {

// Groups of an area are issued in four classes, one after the other: odd 01-09, even 10-98, even 02-08,
// odd 11-99. The codes grow with the order of issue.
enum class GroupOrderClass : std::uint8_t { FirstOdd = 2, SecondEven = 4, ThirdEven = 8, FourthOdd = 16 };

[[nodiscard]] GroupOrderClass ClassifyGroup(std::int32_t group);

// Where a group value stands in the order of issue: its class first, then the value itself within the class.
// A group was issued no later than another when its order is not greater.
[[nodiscard]] std::int64_t IssueOrder(std::int32_t group);

[[nodiscard]] bool IsKnownInvalid(std::int32_t area, std::int32_t group, std::int32_t serial);

}  // namespace kalderos::ssn
