// The rules for numbers of any field values, and the tables of their fast variant.
#include "ssn/ssn_reason.h"

#include <limits>

#include "ssn/current_rules.h"
#include "ssn/ssn_rules.h"

namespace kalderos::ssn {
namespace {

// The order of issue of an area's highest group `highest`. Under the current rules an area without a highest
// group had none issued before randomization; the classic rules order its 0 as a group.
std::int64_t HighestOrder(std::int32_t highest, RuleSet rules) {
    switch (rules) {
        case RuleSet::Classic:
            break;
        case RuleSet::Current:
            if (highest == 0) return std::numeric_limits<std::int64_t>::min();
            break;
    }
    return IssueOrder(highest);
}

}  // namespace

SsnReason ReasonFor(const SsnNumber& number, const HighestGroupTable& table, RuleSet rules) {
    const std::int32_t area = number.area;
    if (area < 0 || area >= kAreaCount) return SsnReason::Malformed;
    const std::int32_t highest = table.group[static_cast<std::size_t>(area)];
    return DecideReason(AreaReason(area, rules), area, number.group, number.serial,
                        !OrderOfIssueDecides(rules) || IssueOrder(number.group) <= IssueOrder(highest), rules);
}

template <RuleSet kSet>
FieldsJudged JudgeAnyFields(const SsnNumber& number, const HighestGroupTable& table) {
    const SsnReason reason = ReasonFor(number, table, kSet);
    const bool ok = reason == SsnReason::Ok;
    switch (kSet) {
        case RuleSet::Classic:
            return {reason, MarksConfirm(number, table), false};
        case RuleSet::Current:
            return {reason, ok && MarksConfirm(number, table),
                    ok && !CouldPredateRandomization(number.area, number.group, table)};
    }
    return {SsnReason::Malformed, false, false};
}

template FieldsJudged JudgeAnyFields<RuleSet::Classic>(const SsnNumber&, const HighestGroupTable&);
template FieldsJudged JudgeAnyFields<RuleSet::Current>(const SsnNumber&, const HighestGroupTable&);

SsnRules::SsnRules(const HighestGroupTable& table, RuleSet rules) : table_(table) {
    for (std::size_t group = 0; group < group_order_.size(); ++group) {
        group_order_[group] = IssueOrder(static_cast<std::int32_t>(group));
    }
    for (std::size_t area = 0; area < highest_order_.size(); ++area) {
        highest_order_[area] = HighestOrder(table.group[area], rules);
        area_reasons_[area] = AreaReason(static_cast<std::int32_t>(area), rules);
    }
}

}  // namespace kalderos::ssn
