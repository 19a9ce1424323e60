// Why a number is judged as it is: the first of the validity rules it fails, in the order they are applied.
// The names are a stable interface of the record formats: new reasons may be added, none renamed.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "kalderos/kalderos.h"

namespace kalderos::ssn {

enum class SsnReason : std::uint8_t {
    Ok,
    Malformed,       // not NNN-NN-NNNN or nine digits (decided by the caller; also any area outside 000-999)
    AreaAfter2011,   // areas 773-899: opened after the data was taken, the verdict is unknown
    Area000,
    Area900To999,
    Group00,
    Serial0000,
    Area666,         // never issued: the known-invalid list's entry for the whole area
    KnownInvalid,    // a published misused number
    GroupNotIssued,  // the group comes later in the order of issue than the area's highest group
};

inline constexpr std::array<std::string_view, 10> kSsnReasonNames{
    "ok",       "malformed",   "area-after-2011", "area-000",      "area-900-999",
    "group-00", "serial-0000", "area-666",        "known-invalid", "group-not-issued",
};
static_assert(kSsnReasonNames[static_cast<std::size_t>(SsnReason::GroupNotIssued)] == "group-not-issued" &&
              kSsnReasonNames[static_cast<std::size_t>(SsnReason::Area666)] == "area-666");

constexpr std::string_view ReasonName(SsnReason reason) { return kSsnReasonNames[static_cast<std::size_t>(reason)]; }

// The reason for `number` against `table`; JudgeSsn's verdict is VerdictOf this reason.
[[nodiscard]] SsnReason ReasonFor(const SsnNumber& number, const HighestGroupTable& table);

// ReasonFor for fields that fit their widths (area 000-999, group 00-99, serial 0000-9999), as a list's loop
// takes it: the orders of issue are looked up from tables made once, and the rules are chosen among without a
// branch on the random parts.
class FieldReasoner {
public:
    // `table` must outlive the reasoner and stay unchanged while it is used.
    explicit FieldReasoner(const HighestGroupTable& table);

    [[nodiscard]] SsnReason operator()(std::int32_t area, std::int32_t group, std::int32_t serial) const {
        const auto area_index = static_cast<std::size_t>(area);
        SsnReason reason = group_order_[static_cast<std::size_t>(group)] <= highest_order_[area_index]
                               ? SsnReason::Ok
                               : SsnReason::GroupNotIssued;
        if (known_invalid_[area_index] != 0) reason = KnownInvalidReason(area, group, serial, reason);
        reason = serial == 0 ? SsnReason::Serial0000 : reason;
        reason = group == 0 ? SsnReason::Group00 : reason;
        const SsnReason of_area = area_reasons_[area_index];
        return of_area != SsnReason::Ok ? of_area : reason;
    }

private:
    static SsnReason KnownInvalidReason(std::int32_t area, std::int32_t group, std::int32_t serial, SsnReason otherwise);

    std::array<std::int64_t, 100> group_order_{};
    std::array<std::int64_t, kAreaCount> highest_order_{};
    std::array<SsnReason, kAreaCount> area_reasons_{};  // what the area alone decides, Ok where it decides nothing
    const std::uint8_t* known_invalid_;                 // non-zero where the area has known invalid numbers
};

constexpr SsnVerdict VerdictOf(SsnReason reason) {
    if (reason == SsnReason::Ok) return SsnVerdict::Valid;
    return reason == SsnReason::AreaAfter2011 ? SsnVerdict::Unknown : SsnVerdict::Invalid;
}

}  // namespace kalderos::ssn
