// What the SSN loops count beside their output: the numbers the order of issue alone made invalid, which the
// end of the run tells of, and for --summary every reason.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "ssn/ssn_reason.h"

namespace kalderos {

// The numbers judged invalid by the order of issue alone (group-not-issued).
struct NotIssuedTally {
    std::uint64_t count = 0;

    void Count(ssn::SsnReason reason) { count += static_cast<std::uint64_t>(reason == ssn::SsnReason::GroupNotIssued); }
    void Add(const NotIssuedTally& other) { count += other.count; }
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

}  // namespace kalderos
