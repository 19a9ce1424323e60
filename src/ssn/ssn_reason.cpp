// The rules for numbers of any field values, and the tables of their fast variant.
#include "ssn/ssn_reason.h"

#include <limits>

#include "ssn/current_rules.h"
#include "ssn/ssn_rules.h"

namespace kalderos::ssn {
namespace {

// The order of issue of an area's highest group `highest`. Where the order only tells whether a number could
// predate randomization, an area without a highest group had none issued before it; where the order decides, its
// 0 is ordered as a group.
std::int64_t HighestOrder(std::int32_t highest, RuleSet rules) {
    if (!OrderOfIssueDecides(rules) && highest == 0) return std::numeric_limits<std::int64_t>::min();
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
    if constexpr (OrderOfIssueDecides(kSet)) {
        return {reason, MarksConfirm(number, table), false};
    } else {
        return {reason, ok && MarksConfirm(number, table),
                ok && !CouldPredateRandomization(number.area, number.group, table)};
    }
}

#define KALDEROS_MADE_FOR(kSet) template FieldsJudged JudgeAnyFields<kSet>(const SsnNumber&, const HighestGroupTable&);
KALDEROS_EACH_RULE_SET(KALDEROS_MADE_FOR)
#undef KALDEROS_MADE_FOR

detail::SsnRuleTables DeriveRuleTables(const HighestGroupTable& table, RuleSet rules) {
    kalderos::detail::SsnRuleTables tables;
    for (std::size_t group = 0; group < tables.group_order.size(); ++group) {
        tables.group_order[group] = IssueOrder(static_cast<std::int32_t>(group));
    }
    for (std::size_t area = 0; area < tables.highest_order.size(); ++area) {
        tables.highest_order[area] = HighestOrder(table.group[area], rules);
        tables.area_reasons[area] = static_cast<std::uint8_t>(AreaReason(static_cast<std::int32_t>(area), rules));
    }
    return tables;
}

}  // namespace kalderos::ssn
