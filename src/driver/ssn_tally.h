// What the SSN loops count beside their output: the numbers the order of issue alone made invalid, which the
// end of the run tells of, and for --summary every reason.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "driver/run_state.h"
#include "ssn/ssn_reason.h"

namespace kalderos {

// The numbers judged invalid by the order of issue alone (group-not-issued), by what gave their area's highest
// group: the built-in data, or a group file.
struct NotIssuedTally {
    std::array<std::uint64_t, 2> by_source{};

    // Without a branch on the reason, which a list of today's numbers makes unpredictable; only a number judged
    // by the order of issue has an area of 000-999.
    void Count(ssn::SsnReason reason, std::int32_t area, const GroupFileAreas& named) {
        const bool not_issued = reason == ssn::SsnReason::GroupNotIssued;
        by_source[named[not_issued ? static_cast<std::size_t>(area) : 0]] += static_cast<std::uint64_t>(not_issued);
    }
    void Add(const NotIssuedTally& other) {
        for (std::size_t i = 0; i < by_source.size(); ++i) by_source[i] += other.by_source[i];
    }
    [[nodiscard]] std::uint64_t BuiltIn() const { return by_source[0]; }
    [[nodiscard]] std::uint64_t FromGroupFiles() const { return by_source[1]; }
};

// The numbers of each reason, by SsnReason; the verdicts follow from them.
struct SsnReasonTally {
    std::array<std::uint64_t, ssn::kSsnReasonCount> reasons{};

    void Count(ssn::SsnReason reason) { ++reasons[static_cast<std::size_t>(reason)]; }
    void Add(const SsnReasonTally& other) {
        for (std::size_t i = 0; i < reasons.size(); ++i) reasons[i] += other.reasons[i];
    }
    [[nodiscard]] std::uint64_t Of(ssn::SsnReason reason) const { return reasons[static_cast<std::size_t>(reason)]; }
};

// What a summary of SSNs counts: every reason, and what decided group-not-issued.
struct SsnSummaryTally {
    SsnReasonTally reasons;
    NotIssuedTally not_issued;

    void Add(const SsnSummaryTally& other) {
        reasons.Add(other.reasons);
        not_issued.Add(other.not_issued);
    }
};

}  // namespace kalderos
