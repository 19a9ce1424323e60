// Why a number is judged as it is: the first of the validity rules it fails, in the order they are applied.
// This is the one place that orders the rules; the verdict and every fast variant of the rules come from it.
// The names are a stable interface of the record formats: new reasons may be added, none renamed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "kalderos/kalderos.h"
#include "rules/rule_sets.h"
#include "ssn/known_invalid_list.h"
#include "ssn/rules.h"

namespace kalderos::ssn {

enum class SsnReason : std::uint8_t {
    Ok,
    Malformed,       // not NNN-NN-NNNN, NNN NN NNNN or nine digits (decided by the caller; also any area outside
                     // 000-999)
    AreaAfter2011,   // areas 773-899: opened after the data was taken, the verdict is unknown
    Area000,
    Area900To999,
    Group00,
    Serial0000,
    Area666,         // never issued: the known-invalid list's entry for the whole area
    KnownInvalid,    // a published misused number
    GroupNotIssued,  // the group comes later in the order of issue than the area's highest group
    Empty,           // nothing but blanks, or nothing at all: a cell left blank (decided by the caller)
    kCount,
};

inline constexpr std::size_t kSsnReasonCount = static_cast<std::size_t>(SsnReason::kCount);

inline constexpr std::array<std::string_view, kSsnReasonCount> kSsnReasonNames{
    "ok",       "malformed",   "area-after-2011", "area-000",      "area-900-999",
    "group-00", "serial-0000", "area-666",        "known-invalid", "group-not-issued",
    "empty",
};
static_assert(kSsnReasonNames[static_cast<std::size_t>(SsnReason::GroupNotIssued)] == "group-not-issued" &&
              kSsnReasonNames[static_cast<std::size_t>(SsnReason::Empty)] == "empty" &&
              kSsnReasonNames[static_cast<std::size_t>(SsnReason::Area666)] == "area-666" &&
              !kSsnReasonNames.back().empty());

constexpr std::string_view ReasonName(SsnReason reason) { return kSsnReasonNames[static_cast<std::size_t>(reason)]; }

// The verdict each reason gives, looked up: random lists make a branch on the reason unpredictable.
inline constexpr std::array<SsnVerdict, kSsnReasonCount> kVerdictOfReason = [] {
    std::array<SsnVerdict, kSsnReasonCount> verdicts{};
    verdicts.fill(SsnVerdict::Invalid);
    verdicts[static_cast<std::size_t>(SsnReason::Ok)] = SsnVerdict::Valid;
    verdicts[static_cast<std::size_t>(SsnReason::AreaAfter2011)] = SsnVerdict::Unknown;
    return verdicts;
}();

constexpr SsnVerdict VerdictOf(SsnReason reason) { return kVerdictOfReason[static_cast<std::size_t>(reason)]; }

// What the current rules, since issuance was randomised on 25 June 2011, lift of the classic ones, which judge by
// the issuance data of 2011: the order of issue, which then tells only whether a number could have been issued
// before, and the unknown areas 773-899, which have been opened since. Area 000, 666 and 900-999, group 00,
// serial 0000 and the known invalid numbers stay impossible. Each set's row says which it lifts.
constexpr bool OrderOfIssueDecides(RuleSet rules) { return RowOf(rules).order_of_issue_decides; }
constexpr bool AreasAfter2011Unknown(RuleSet rules) { return RowOf(rules).areas_after_2011_unknown; }

// What the area alone decides (area 000-999), Ok where it decides nothing.
constexpr SsnReason AreaReason(std::int32_t area, RuleSet rules) {
    if (IsUnknownArea(area) && AreasAfter2011Unknown(rules)) return SsnReason::AreaAfter2011;
    if (area == 0) return SsnReason::Area000;
    if (!IsAssignedArea(area) && !IsUnknownArea(area)) return SsnReason::Area900To999;
    return SsnReason::Ok;
}
static_assert(AreaReason(800, RuleSet::Classic) == SsnReason::AreaAfter2011 && AreaReason(800, RuleSet::Current) == SsnReason::Ok &&
              AreaReason(900, RuleSet::Current) == SsnReason::Area900To999 &&
              AreaReason(0, RuleSet::Current) == SsnReason::Area000 && AreaReason(899, RuleSet::Current) == SsnReason::Ok);

inline constexpr std::int32_t kNeverIssuedArea = 666;
// Area 666 closes the classic rules' part of the known-invalid list, whole.
inline constexpr const KnownInvalidEntry& kArea666Entry = kKnownInvalidList[kClassicKnownInvalidCount - 1];
static_assert(kArea666Entry.area == kNeverIssuedArea && kArea666Entry.groups[0] == kAny &&
              kArea666Entry.serials[0] == kAny);

// The rules in the order they decide, for an area of 000-999: what the area alone decides, a zero group, a
// zero serial, the known-invalid list of `rules`, and last the order of issue (`group_issued`: the group comes no
// later than the area's highest; always true under the current rules). The later rules are taken first and
// overwritten by the earlier ones, without a branch on the random parts; only an area with known invalid numbers
// looks them up.
inline SsnReason DecideReason(SsnReason of_area, std::int32_t area, std::int32_t group, std::int32_t serial,
                              bool group_issued, RuleSet rules) {
    SsnReason reason = group_issued ? SsnReason::Ok : SsnReason::GroupNotIssued;
    if (KnownInvalidIndexOf(rules)[static_cast<std::size_t>(area)] != 0 && IsKnownInvalid(area, group, serial, rules)) {
        reason = area == kNeverIssuedArea ? SsnReason::Area666 : SsnReason::KnownInvalid;
    }
    reason = serial == 0 ? SsnReason::Serial0000 : reason;
    reason = group == 0 ? SsnReason::Group00 : reason;
    return of_area != SsnReason::Ok ? of_area : reason;
}

// The reason for any `number` against `table`, its fields of any value; JudgeSsn's verdict is VerdictOf it.
[[nodiscard]] SsnReason ReasonFor(const SsnNumber& number, const HighestGroupTable& table, RuleSet rules);

}  // namespace kalderos::ssn
