// The rule sets by the names the module takes and gives ("classic", "current"): those of --rules, from its table
// of values, so that a new set is named to Python where it is named to the command line.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "console/long_option_table.h"
#include "kalderos/kalderos.h"

namespace kalderos::python {

using kalderos::kRuleSetCount;

constexpr std::string_view RuleSetName(RuleSet rules) { return kRulesValues[static_cast<std::size_t>(rules)].name; }

constexpr std::optional<RuleSet> RuleSetNamed(std::string_view name) {
    for (std::size_t set = 0; set < kRuleSetCount; ++set) {
        if (kRulesValues[set].name == name) return static_cast<RuleSet>(set);
    }
    return std::nullopt;
}
static_assert(RuleSetNamed("current") == RuleSet::Current && RuleSetName(RuleSet::Classic) == "classic" &&
              !RuleSetNamed("Current"));

// "'classic' and 'current'" (or "or"): the names as an error message lists them.
inline std::string RuleSetNames(std::string_view last_joint) {
    std::string names;
    for (std::size_t set = 0; set < kRuleSetCount; ++set) {
        if (set > 0) names.append(set + 1 == kRuleSetCount ? last_joint : std::string_view(", "));
        names.append("'").append(kRulesValues[set].name).append("'");
    }
    return names;
}

// The type a signature shows for a rules argument, "Literal['classic', 'current']", as characters known to the
// compiler (pybind11 writes signatures from such constants).
namespace rule_names_detail {
inline constexpr std::string_view kLead = "Literal[", kBetween = ", ", kEnd = "]";

constexpr std::size_t RulesTypeSize() {
    std::size_t size = kLead.size() + kEnd.size() + kBetween.size() * (kRuleSetCount - 1);
    for (const OptionValue& value : kRulesValues) size += value.name.size() + 2;
    return size;
}
}  // namespace rule_names_detail

inline constexpr auto kRulesTypeText = [] {
    using namespace rule_names_detail;
    std::array<char, RulesTypeSize()> text{};
    std::size_t at = 0;
    const auto put = [&](std::string_view part) {
        for (const char c : part) text[at++] = c;
    };
    put(kLead);
    for (std::size_t set = 0; set < kRuleSetCount; ++set) {
        if (set > 0) put(kBetween);
        put("'");
        put(kRulesValues[set].name);
        put("'");
    }
    put(kEnd);
    return text;
}();

}  // namespace kalderos::python
