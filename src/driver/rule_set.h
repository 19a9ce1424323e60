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

// The names --rules takes, by RuleSet.
inline constexpr std::array<std::string_view, static_cast<std::size_t>(RuleSet::kCount)> kRuleSetNames{"classic",
                                                                                                      "current"};

constexpr ssn::SsnRuleSet SsnRulesOf(RuleSet rules) {
    return rules == RuleSet::Current ? ssn::SsnRuleSet::Current : ssn::SsnRuleSet::Classic;
}

}  // namespace kalderos
