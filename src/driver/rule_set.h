// The rules a run judges by: those of the data of 2011 and the classic card table, or today's (--rules).
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "card/card_type_table.h"
#include "ssn/ssn_reason.h"

namespace kalderos {

// Every choice of rules is a switch over these without a default.
enum class RuleSet { Classic, Current, kCount };

// The names --rules takes are kRulesValues (console/long_option_table.h), by RuleSet.

constexpr ssn::SsnRuleSet SsnRulesOf(RuleSet rules) {
    return rules == RuleSet::Current ? ssn::SsnRuleSet::Current : ssn::SsnRuleSet::Classic;
}

}  // namespace kalderos
