// The validity rules once more, naming the rule that decides: the same steps as JudgeSsn, in its order.
#include "ssn/ssn_reason.h"

#include "ssn/known_invalid_list.h"
#include "ssn/rules.h"

namespace kalderos::ssn {
namespace {

constexpr std::int32_t kNeverIssuedArea = 666;
static_assert(kKnownInvalidList.back().area == kNeverIssuedArea && kKnownInvalidList.back().groups[0] == kAny &&
              kKnownInvalidList.back().serials[0] == kAny);

}  // namespace

FieldReasoner::FieldReasoner(const HighestGroupTable& table) : known_invalid_(kKnownInvalidIndex.data()) {
    for (std::size_t group = 0; group < group_order_.size(); ++group) {
        group_order_[group] = IssueOrder(static_cast<std::int32_t>(group));
    }
    for (std::size_t area = 0; area < highest_order_.size(); ++area) {
        highest_order_[area] = IssueOrder(table.group[area]);
        // A group and serial the rules never reach for these areas.
        const SsnReason reason = ReasonFor({static_cast<std::int32_t>(area), 1, 1}, HighestGroupTable{});
        const bool by_area = reason == SsnReason::AreaAfter2011 || reason == SsnReason::Area000 ||
                             reason == SsnReason::Area900To999;
        area_reasons_[area] = by_area ? reason : SsnReason::Ok;
    }
}

SsnReason FieldReasoner::KnownInvalidReason(std::int32_t area, std::int32_t group, std::int32_t serial,
                                            SsnReason otherwise) {
    if (!IsKnownInvalid(area, group, serial)) return otherwise;
    return area == kNeverIssuedArea ? SsnReason::Area666 : SsnReason::KnownInvalid;
}

SsnReason ReasonFor(const SsnNumber& number, const HighestGroupTable& table) {
    const std::int32_t area = number.area;
    if (area < 0 || area >= kAreaCount) return SsnReason::Malformed;
    if (IsUnknownArea(area)) return SsnReason::AreaAfter2011;
    if (area == 0) return SsnReason::Area000;
    if (!IsAssignedArea(area)) return SsnReason::Area900To999;
    if (number.group == 0) return SsnReason::Group00;
    if (number.serial == 0) return SsnReason::Serial0000;
    if (IsKnownInvalid(area, number.group, number.serial)) {
        return area == kNeverIssuedArea ? SsnReason::Area666 : SsnReason::KnownInvalid;
    }
    const std::int32_t highest = table.group[static_cast<std::size_t>(area)];
    return IssueOrder(number.group) <= IssueOrder(highest) ? SsnReason::Ok : SsnReason::GroupNotIssued;
}

}  // namespace kalderos::ssn
