// The validity rules once more, naming the rule that decides: the same steps as JudgeSsn, in its order.
#include "ssn/ssn_reason.h"

#include "ssn/known_invalid_list.h"
#include "ssn/rules.h"

namespace kalderos::ssn {
namespace {

constexpr std::int32_t kNeverIssuedArea = 666;
static_assert(kKnownInvalidList.back().area == kNeverIssuedArea && kKnownInvalidList.back().groups[0] == kAny &&
              kKnownInvalidList.back().serials[0] == kAny);

}  // namespace

SsnReason ReasonFor(const SsnNumber& number, const HighestGroupTable& table) {
    const std::int32_t area = number.area;
    if (area < 0 || area >= kAreaCount) return SsnReason::Malformed;
    if (IsUnknownArea(area)) return SsnReason::AreaAfter2011;
    if (area == 0) return SsnReason::Area000;
    if (!IsAssignedArea(area)) return SsnReason::Area900To999;
    if (number.group == 0) return SsnReason::Group00;
    if (number.serial == 0) return SsnReason::Serial0000;
    if (IsKnownInvalid(area, number.group, number.serial)) {
        return area == kNeverIssuedArea ? SsnReason::Area666 : SsnReason::KnownInvalid;
    }
    const std::int32_t highest = table.group[static_cast<std::size_t>(area)];
    return IssueOrder(number.group) <= IssueOrder(highest) ? SsnReason::Ok : SsnReason::GroupNotIssued;
}

}  // namespace kalderos::ssn
