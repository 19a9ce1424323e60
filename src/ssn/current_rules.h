// The rules for numbers since issuance was randomised on 25 June 2011: only area 000, 666 and 900-999, group 00,
// serial 0000 and the known invalid numbers are impossible, and an area's place of issue still holds for the
// numbers that could have been issued before, by the last list published (24 June 2011).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "kalderos/kalderos.h"
#include "ssn/known_invalid_list.h"
#include "ssn/ssn_reason.h"

namespace kalderos::ssn {

namespace current_detail {

// What the area alone decides; Ok where it decides nothing.
constexpr std::array<SsnReason, kAreaCount> BuildAreaReasons() {
    std::array<SsnReason, kAreaCount> reasons{};
    reasons[0] = SsnReason::Area000;
    for (std::size_t area = 900; area < reasons.size(); ++area) reasons[area] = SsnReason::Area900To999;
    return reasons;
}
inline constexpr std::array<SsnReason, kAreaCount> kAreaReasons = BuildAreaReasons();

// Area666 for the never-issued area's entry, KnownInvalid for the others, `otherwise` off the list.
[[nodiscard]] SsnReason KnownInvalidReason(std::int32_t area, std::int32_t group, std::int32_t serial,
                                           SsnReason otherwise);

}  // namespace current_detail

// Why `number` is invalid since randomization, Ok when it is valid: never AreaAfter2011 nor GroupNotIssued.
// Malformed for an area outside 000-999 (a text that starts with a minus sign).
[[nodiscard]] SsnReason CurrentReasonFor(const SsnNumber& number);

// The same for an area 000-999, as a list's loop takes it: without a branch on the random parts.
[[nodiscard]] inline SsnReason CurrentFieldReason(std::int32_t area, std::int32_t group, std::int32_t serial) {
    const auto area_index = static_cast<std::size_t>(area);
    SsnReason reason = SsnReason::Ok;
    if (kKnownInvalidIndex[area_index] != 0) reason = current_detail::KnownInvalidReason(area, group, serial, reason);
    reason = serial == 0 ? SsnReason::Serial0000 : reason;
    reason = group == 0 ? SsnReason::Group00 : reason;
    const SsnReason of_area = current_detail::kAreaReasons[area_index];
    return of_area != SsnReason::Ok ? of_area : reason;
}

// Stores the highest groups of the 24 June 2011 list into `table`; areas it names no group for are left alone.
// A group file read afterwards overlays it, area by area.
void FillFromJune2011List(HighestGroupTable& table);

// Whether a number of `area` (000-999) and `group` could have been issued before randomization: its group
// comes no later in the order of issue than the area's highest group in `table`. An area whose highest group is
// 0 had none issued, and group 00 never was.
[[nodiscard]] bool CouldPredateRandomization(std::int32_t area, std::int32_t group, const HighestGroupTable& table);

// CONFIRM: a valid number (`reason` is Ok) whose group is the area's (000-999) highest group in `table`.
[[nodiscard]] bool CurrentConfirm(std::int32_t area, std::int32_t group, SsnReason reason,
                                  const HighestGroupTable& table);

// The two tests above with the orders of issue looked up from tables made once, for a list's loop (area 000-999,
// group 00-99).
class RandomizationCheck {
public:
    explicit RandomizationCheck(const HighestGroupTable& table);

    [[nodiscard]] bool CouldPredate(std::int32_t area, std::int32_t group) const {
        return group_order_[static_cast<std::size_t>(group)] <= highest_order_[static_cast<std::size_t>(area)];
    }
    [[nodiscard]] bool Confirms(std::int32_t area, std::int32_t group, SsnReason reason) const {
        return reason == SsnReason::Ok && group == highest_[static_cast<std::size_t>(area)];
    }

private:
    static constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();  // after every highest group
    static constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::min();   // before every group

    std::array<std::int64_t, 100> group_order_{};
    std::array<std::int64_t, kAreaCount> highest_order_{};
    std::array<std::int32_t, kAreaCount> highest_{};
};

}  // namespace kalderos::ssn
