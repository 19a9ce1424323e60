// The validity rules as a value a judgement takes: a rule set and the highest groups of a run, with the orders
// of issue and what each area decides looked up from tables made once. A list's loop judges through it;
// ReasonFor is the same rules for any number, and the exhaustive tests hold the two to one answer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "kalderos/kalderos.h"
#include "ssn/ssn_reason.h"

namespace kalderos::ssn {

// What the rules say of a number's fields.
struct FieldsJudged {
    SsnReason reason;
    bool marks_confirm;     // the text line's CONFIRM mark
    bool issued_at_random;  // current rules: valid, but its group comes after the area's highest of June 2011
};

// What the rules derive once from `table` for the set `rules`.
[[nodiscard]] kalderos::detail::SsnRuleTables DeriveRuleTables(const HighestGroupTable& table, RuleSet rules);

// The rules over a table and what was derived from it for a set (DeriveRuleTables), which must outlive them and
// stay unchanged while they are used: under the current rules the table holds the June 2011 list's highest groups
// (FillFromJune2011List) under any group file's. Two pointers, passed by value.
class SsnRules {
public:
    SsnRules(const HighestGroupTable& table, const kalderos::detail::SsnRuleTables& tables) : table_(&table), tables_(&tables) {}

    // ReasonFor, the CONFIRM mark and whether the number can only have been issued at random, under the rules
    // `kSet` these were made for, for fields that fit their widths (area 000-999, group 00-99, serial
    // 0000-9999). A list's loop knows its set, so that the other set's steps cost nothing. The current rules
    // judge without the order of issue, which tells only whether the number could predate randomization, and
    // mark CONFIRM on a valid number only.
    template <RuleSet kSet>
    [[nodiscard]] FieldsJudged JudgeAs(std::int32_t area, std::int32_t group, std::int32_t serial) const {
        const auto area_index = static_cast<std::size_t>(area);
        const bool issued = tables_->group_order[static_cast<std::size_t>(group)] <= tables_->highest_order[area_index];
        const bool marks = ssn::MarksConfirm(group, serial, table_->group[area_index]);
        const auto area_reason = static_cast<SsnReason>(tables_->area_reasons[area_index]);
        if constexpr (OrderOfIssueDecides(kSet)) {
            return {DecideReason(area_reason, area, group, serial, issued, kSet), marks, false};
        } else {
            const SsnReason reason = DecideReason(area_reason, area, group, serial, true, kSet);
            const bool ok = reason == SsnReason::Ok;
            const bool confirmed = marks & ok;
            const bool at_random = ok & !issued;
            return {reason, confirmed, at_random};
        }
    }

    [[nodiscard]] const HighestGroupTable& Table() const { return *table_; }

private:
    const HighestGroupTable* table_;
    const kalderos::detail::SsnRuleTables* tables_;
};

// Rules made for a table, holding what they derive from it: what a run, a test or a benchmark keeps. `table`
// must outlive them.
class MadeSsnRules {
public:
    MadeSsnRules(const HighestGroupTable& table, RuleSet rules)
        : tables_(DeriveRuleTables(table, rules)), rules_(table, tables_) {}
    MadeSsnRules(const MadeSsnRules&) = delete;
    MadeSsnRules& operator=(const MadeSsnRules&) = delete;

    [[nodiscard]] const SsnRules& Rules() const { return rules_; }
    operator const SsnRules&() const { return rules_; }  // NOLINT: made rules are the rules wherever they are read

private:
    kalderos::detail::SsnRuleTables tables_;
    SsnRules rules_;
};

// The same for fields of any value, as a lenient reading may bring: never Ok for an area outside 000-999. Made
// for every rule set in ssn_reason.cpp.
template <RuleSet kSet>
[[nodiscard]] FieldsJudged JudgeAnyFields(const SsnNumber& number, const HighestGroupTable& table);

}  // namespace kalderos::ssn
