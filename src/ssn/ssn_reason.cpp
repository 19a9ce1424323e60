// The rules for numbers of any field values, and the tables of their fast variant.
#include "ssn/ssn_reason.h"

#include "ssn/ssn_rules.h"

namespace kalderos::ssn {

SsnReason ReasonFor(const SsnNumber& number, const HighestGroupTable& table) {
    const std::int32_t area = number.area;
    if (area < 0 || area >= kAreaCount) return SsnReason::Malformed;
    const std::int32_t highest = table.group[static_cast<std::size_t>(area)];
    return DecideReason(AreaReason(area), area, number.group, number.serial,
                        IssueOrder(number.group) <= IssueOrder(highest));
}

SsnRules::SsnRules(const HighestGroupTable& table) : table_(table) {
    for (std::size_t group = 0; group < group_order_.size(); ++group) {
        group_order_[group] = IssueOrder(static_cast<std::int32_t>(group));
    }
    for (std::size_t area = 0; area < highest_order_.size(); ++area) {
        highest_order_[area] = IssueOrder(table.group[area]);
        area_reasons_[area] = AreaReason(static_cast<std::int32_t>(area));
    }
}

}  // namespace kalderos::ssn
