// The rule sets as a test goes through them: each set's templated entry points, those the run's loops call, with
// the set chosen by one switch as the run chooses its loop.
#pragma once

#include <array>
#include <utility>

#include "console/long_option_table.h"
#include "kalderos/kalderos.h"
#include "rules/rule_sets.h"

namespace kalderos::test {

inline constexpr std::array kRuleSets{RuleSet::Classic, RuleSet::Current};
static_assert(kRuleSets.size() == kRuleSetCount);

// `call(set)` with the set as a constant, `decltype(set)::value`.
template <class Call>
decltype(auto) UnderRules(RuleSet rules, Call&& call) {
    return WithRuleSet(rules, std::forward<Call>(call));
}

}  // namespace kalderos::test
