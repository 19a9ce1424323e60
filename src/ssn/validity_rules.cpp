// The pieces of the validity rules: the issuance order of groups and the known-invalid list; and the verdict,
// which the reason decides.
#include "kalderos/kalderos.h"
#include "ssn/known_invalid_list.h"
#include "ssn/rules.h"
#include "ssn/ssn_reason.h"

namespace kalderos {
namespace ssn {
namespace {

bool Contains(const std::array<int, 5>& listed, int first, int last, std::int32_t group) {
    if (listed[0] == kAny) return true;
    for (const int g : listed) {
        if (g == group) return true;
    }
    return group >= first && group <= last;
}

bool Contains(const std::array<int, 2>& listed, std::int32_t serial) {
    return listed[0] == kAny || listed[0] == serial || listed[1] == serial;
}

}  // namespace

GroupOrderClass ClassifyGroup(std::int32_t group) {
    // By parity and one threshold, looked up rather than branched on: random groups make both unpredictable.
    // Two's complement parity holds for negative values too (-1 is odd), which only a group file can bring.
    static constexpr GroupOrderClass kClasses[2][2] = {
        {GroupOrderClass::ThirdEven, GroupOrderClass::SecondEven},  // even: below 9, above 9
        {GroupOrderClass::FirstOdd, GroupOrderClass::FourthOdd},    // odd: below 10, above 10
    };
    return kClasses[group & 1][group > 9 ? 1 : 0];
}

bool IsKnownInvalid(std::int32_t area, std::int32_t group, std::int32_t serial, RuleSet rules) {
    if (area < 0 || area >= kAreaCount) return false;
    const std::uint8_t slot = KnownInvalidIndexOf(rules)[static_cast<std::size_t>(area)];
    if (slot == 0) return false;
    const KnownInvalidEntry& entry = kKnownInvalidList[slot - 1u];
    return Contains(entry.groups, entry.group_range_first, entry.group_range_last, group) &&
           Contains(entry.serials, serial);
}

// The classes' codes are far enough apart that no 32-bit value reaches into a neighbouring class.
std::int64_t IssueOrder(std::int32_t group) {
    return (static_cast<std::int64_t>(ClassifyGroup(group)) << 32) + group;
}

bool MarksConfirm(const SsnNumber& number, const HighestGroupTable& table) {
    const std::int32_t area = number.area;
    return area >= 0 && area < kAreaCount &&
           MarksConfirm(number.group, number.serial, table.group[static_cast<std::size_t>(area)]);
}

}  // namespace ssn

SsnVerdict JudgeSsn(const SsnNumber& number, const HighestGroupTable& table) {
    return ssn::VerdictOf(ssn::ReasonFor(number, table, RuleSet::Classic));
}

}  // namespace kalderos
