// What the SSN loops count beside their output: the numbers the order of issue alone made invalid, which the
// end of the run tells of, and for --summary every reason.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "kalderos/kalderos.h"
#include "ssn/ssn_reason.h"

namespace kalderos {

// By area: 1 where a group file named the area, whose highest group it then gave, 0 where the built-in data gave
// it.
using GroupFileAreas = std::array<std::uint8_t, kAreaCount>;

// Where a strictly judged number's area decided by a group file: 1 or 0. Its area is 000-999, or 0 where the text
// is no number.
inline std::size_t GroupFileDecided(std::int32_t area, const GroupFileAreas& named) {
    return named[static_cast<std::size_t>(area)];
}

// The numbers judged invalid by the order of issue alone, and those of them a group file decided.
struct NotIssuedTally {
    std::uint64_t count = 0;
    std::uint64_t from_group_files = 0;

    // Without a branch on the reason, which a list of today's numbers makes unpredictable; nothing under rules
    // that never give the reason.
    template <RuleSet kSet>
    void Count(ssn::SsnReason reason, std::int32_t area, const GroupFileAreas& named) {
        if constexpr (!ssn::OrderOfIssueDecides(kSet)) return;
        const auto not_issued = static_cast<std::uint64_t>(reason == ssn::SsnReason::GroupNotIssued);
        count += not_issued;
        from_group_files += not_issued & GroupFileDecided(area, named);
    }
    void Add(const NotIssuedTally& other) {
        count += other.count;
        from_group_files += other.from_group_files;
    }
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

// What a summary of SSNs counts: every reason, of the numbers whose area the built-in data decided and of those
// a group file did, which group-not-issued's line tells apart.
struct SsnSummaryTally {
    std::array<SsnReasonTally, 2> by_source{};

    template <RuleSet kSet>
    void Count(ssn::SsnReason reason, std::int32_t area, const GroupFileAreas& named) {
        by_source[ssn::OrderOfIssueDecides(kSet) ? GroupFileDecided(area, named) : 0].Count(reason);
    }
    void Add(const SsnSummaryTally& other) {
        for (std::size_t i = 0; i < by_source.size(); ++i) by_source[i].Add(other.by_source[i]);
    }
    [[nodiscard]] SsnReasonTally Reasons() const {
        SsnReasonTally all = by_source[0];
        all.Add(by_source[1]);
        return all;
    }
    [[nodiscard]] NotIssuedTally NotIssued() const {
        return {Reasons().Of(ssn::SsnReason::GroupNotIssued), by_source[1].Of(ssn::SsnReason::GroupNotIssued)};
    }
};

}  // namespace kalderos
