// The rules a run judges by: those of the data of 2011 and the classic card table, or today's (--rules).
#pragma once

#include <cstddef>

#include "card/card_type_table.h"
#include "kalderos/kalderos.h"
#include "ssn/ssn_reason.h"

namespace kalderos {

// Every choice of rules (the public RuleSet) is a switch over it without a default. The names --rules takes are
// kRulesValues (console/long_option_table.h), by RuleSet: one for each set.
inline constexpr std::size_t kRuleSetCount = 2;

// The place of a set among kRuleSetCount; a set added to RuleSet stops the build here until it is counted.
constexpr std::size_t RuleSetIndex(RuleSet rules) {
    switch (rules) {
        case RuleSet::Classic:
            return 0;
        case RuleSet::Current:
            return 1;
    }
    return kRuleSetCount;
}
static_assert(RuleSetIndex(RuleSet::Current) + 1 == kRuleSetCount);

constexpr ssn::SsnRuleSet SsnRulesOf(RuleSet rules) {
    return rules == RuleSet::Current ? ssn::SsnRuleSet::Current : ssn::SsnRuleSet::Classic;
}

}  // namespace kalderos
