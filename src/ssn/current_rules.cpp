// The rules since randomization: the few impossible numbers, and the June 2011 list (under a group file's
// overlay) for the numbers that could have been issued before it.
#include "ssn/current_rules.h"

#include "ssn/issuance_window.h"
#include "ssn/rules.h"

namespace kalderos::ssn {
namespace {

constexpr const PublishedList& kJune2011List = kPublishedLists[kPublishedListCount - 1];
static_assert(kJune2011List.month == "2011-06", "the last list before randomization");

}  // namespace

SsnReason current_detail::KnownInvalidReason(std::int32_t area, std::int32_t group, std::int32_t serial,
                                             SsnReason otherwise) {
    if (!IsKnownInvalid(area, group, serial)) return otherwise;
    return area == kNeverIssuedArea ? SsnReason::Area666 : SsnReason::KnownInvalid;
}

SsnReason CurrentReasonFor(const SsnNumber& number) {
    if (number.area < 0 || number.area >= kAreaCount) return SsnReason::Malformed;
    return CurrentFieldReason(number.area, number.group, number.serial);
}

void FillFromJune2011List(HighestGroupTable& table) {
    for (std::size_t area = 0; area < table.group.size(); ++area) {
        if (kJune2011List.highest[area] != 0) table.group[area] = kJune2011List.highest[area];
    }
}

bool CouldPredateRandomization(std::int32_t area, std::int32_t group, const HighestGroupTable& table) {
    const std::int32_t highest = table.group[static_cast<std::size_t>(area)];
    return highest != 0 && group != 0 && IssueOrder(group) <= IssueOrder(highest);
}

bool CurrentConfirm(std::int32_t area, std::int32_t group, SsnReason reason, const HighestGroupTable& table) {
    return reason == SsnReason::Ok && group == table.group[static_cast<std::size_t>(area)];
}

RandomizationCheck::RandomizationCheck(const HighestGroupTable& table) : highest_(table.group) {
    group_order_[0] = kNever;
    for (std::size_t group = 1; group < group_order_.size(); ++group) {
        group_order_[group] = IssueOrder(static_cast<std::int32_t>(group));
    }
    for (std::size_t area = 0; area < highest_order_.size(); ++area) {
        highest_order_[area] = highest_[area] == 0 ? kNone : IssueOrder(highest_[area]);
    }
}

}  // namespace kalderos::ssn
