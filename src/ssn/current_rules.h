// What the current rules take from the last list published before randomization (24 June 2011): the highest
// groups an area had reached, which tell whether a number could have been issued before it.
#pragma once

#include <cstdint>

#include "kalderos/kalderos.h"
#include "ssn/ssn_reason.h"

namespace kalderos::ssn {

// Stores the highest groups of the 24 June 2011 list into `table`; areas it names no group for are left alone.
// A group file read afterwards overlays it, area by area.
void FillFromJune2011List(HighestGroupTable& table);

// The built-in highest groups a set of rules judges by, before any group file: the built-in list, or under the
// current rules the June 2011 list, which tells what was issued before randomization.
void FillBuiltinGroupsOf(RuleSet rules, HighestGroupTable& table);

// Whether a number of `area` (000-999) and `group` could have been issued before randomization: its group
// comes no later in the order of issue than the area's highest group in `table`. An area whose highest group is
// 0 had none issued, and group 00 never was.
[[nodiscard]] bool CouldPredateRandomization(std::int32_t area, std::int32_t group, const HighestGroupTable& table);

}  // namespace kalderos::ssn
