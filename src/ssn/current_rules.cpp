// The June 2011 list (under a group file's overlay) for the numbers that could have been issued before
// randomization.
#include "ssn/current_rules.h"

#include "ssn/issuance_window.h"
#include "ssn/rules.h"

namespace kalderos::ssn {
namespace {

constexpr const PublishedList& kJune2011List = kPublishedLists[kPublishedListCount - 1];
static_assert(kJune2011List.month == "2011-06", "the last list before randomization");

}  // namespace

void FillFromJune2011List(HighestGroupTable& table) {
    for (std::size_t area = 0; area < table.group.size(); ++area) {
        if (kJune2011List.highest[area] != 0) table.group[area] = kJune2011List.highest[area];
    }
}

void FillBuiltinGroupsOf(RuleSet rules, HighestGroupTable& table) {
    switch (RowOf(rules).groups) {
        case BuiltinGroups::Classic:
            return FillFromBuiltinGroupList(table);
        case BuiltinGroups::June2011:
            return FillFromJune2011List(table);
    }
}

bool CouldPredateRandomization(std::int32_t area, std::int32_t group, const HighestGroupTable& table) {
    const std::int32_t highest = table.group[static_cast<std::size_t>(area)];
    return highest != 0 && group != 0 && IssueOrder(group) <= IssueOrder(highest);
}

}  // namespace kalderos::ssn
