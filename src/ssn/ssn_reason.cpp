// The rules for numbers of any field values, and the tables of their fast variant.
#include "ssn/ssn_reason.h"

#include <limits>

#include "ssn/current_rules.h"
#include "ssn/ssn_rules.h"

namespace kalderos::ssn {

SsnReason ReasonFor(const SsnNumber& number, const HighestGroupTable& table, SsnRuleSet rules) {
    const std::int32_t area = number.area;
    if (area < 0 || area >= kAreaCount) return SsnReason::Malformed;
    const std::int32_t highest = table.group[static_cast<std::size_t>(area)];
    return DecideReason(AreaReason(area, rules), area, number.group, number.serial,
                        rules == SsnRuleSet::Current || IssueOrder(number.group) <= IssueOrder(highest));
}

FieldsJudged JudgeAnyFields(const SsnNumber& number, const HighestGroupTable& table, SsnRuleSet rule_set) {
    const SsnReason reason = ReasonFor(number, table, rule_set);
    const bool ok = reason == SsnReason::Ok;
    if (rule_set == SsnRuleSet::Classic) return {reason, MarksConfirm(number, table), false};
    return {reason, ok && MarksConfirm(number, table),
            ok && !CouldPredateRandomization(number.area, number.group, table)};
}

SsnRules::SsnRules(const HighestGroupTable& table, SsnRuleSet rule_set)
    : table_(table), current_(rule_set == SsnRuleSet::Current) {
    for (std::size_t group = 0; group < group_order_.size(); ++group) {
        group_order_[group] = IssueOrder(static_cast<std::int32_t>(group));
    }
    for (std::size_t area = 0; area < highest_order_.size(); ++area) {
        // Under the current rules an area without a highest group had none issued before randomization; the
        // classic rules order its 0 as a group.
        const bool none = current_ && table.group[area] == 0;
        highest_order_[area] = none ? std::numeric_limits<std::int64_t>::min() : IssueOrder(table.group[area]);
        area_reasons_[area] = AreaReason(static_cast<std::int32_t>(area), rule_set);
    }
}

}  // namespace kalderos::ssn
