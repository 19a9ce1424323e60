// Judges a number: the special area ranges, zero fields, the known-invalid list, and the issuance order of
// groups against the highest group issued for the area.
#include "kalderos/kalderos.h"
#include "ssn/known_invalid_list.h"
#include "ssn/rules.h"

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

bool IsKnownInvalid(std::int32_t area, std::int32_t group, std::int32_t serial) {
    if (area < 0 || area >= kAreaCount) return false;
    const std::uint8_t slot = kKnownInvalidIndex[static_cast<std::size_t>(area)];
    if (slot == 0) return false;
    const KnownInvalidEntry& entry = kKnownInvalidList[slot - 1u];
    return Contains(entry.groups, entry.group_range_first, entry.group_range_last, group) &&
           Contains(entry.serials, serial);
}

// The classes' codes are far enough apart that no 32-bit value reaches into a neighbouring class.
std::int64_t IssueOrder(std::int32_t group) {
    return (static_cast<std::int64_t>(ClassifyGroup(group)) << 32) + group;
}

}  // namespace ssn

SsnVerdict JudgeSsn(const SsnNumber& number, const HighestGroupTable& table) {
    const std::int32_t area = number.area;
    if (ssn::IsUnknownArea(area)) return SsnVerdict::Unknown;
    // A negative area comes only from a text that starts with a minus sign; it was never issued.
    if (!ssn::IsAssignedArea(area)) return SsnVerdict::Invalid;
    if (number.group == 0 || number.serial == 0) return SsnVerdict::Invalid;
    if (ssn::IsKnownInvalid(area, number.group, number.serial)) return SsnVerdict::Invalid;

    // Valid when the group was issued no later than the area's highest group: an earlier class, or the same
    // class and not greater.
    const std::int32_t highest = table.group[static_cast<std::size_t>(area)];
    return ssn::IssueOrder(number.group) <= ssn::IssueOrder(highest) ? SsnVerdict::Valid : SsnVerdict::Invalid;
}

}  // namespace kalderos
