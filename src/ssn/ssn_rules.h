// The validity rules as a value a judgement takes: the highest groups of a run, with the orders of issue and
// what each area decides looked up from tables made once. A list's loop judges through it; ReasonFor is the
// same rules for any number, and the exhaustive tests hold the two to one answer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "kalderos/kalderos.h"
#include "ssn/ssn_reason.h"

namespace kalderos::ssn {

class SsnRules {
public:
    // `table` must outlive the rules and stay unchanged while they are used.
    explicit SsnRules(const HighestGroupTable& table);

    // ReasonFor for fields that fit their widths (area 000-999, group 00-99, serial 0000-9999).
    [[nodiscard]] SsnReason Reason(std::int32_t area, std::int32_t group, std::int32_t serial) const {
        const auto area_index = static_cast<std::size_t>(area);
        const bool issued = group_order_[static_cast<std::size_t>(group)] <= highest_order_[area_index];
        return DecideReason(area_reasons_[area_index], area, group, serial, issued);
    }

    // The CONFIRM mark for fields that fit their widths.
    [[nodiscard]] bool MarksConfirm(std::int32_t area, std::int32_t group, std::int32_t serial) const {
        return ssn::MarksConfirm(group, serial, table_.group[static_cast<std::size_t>(area)]);
    }

    [[nodiscard]] const HighestGroupTable& Table() const { return table_; }

private:
    const HighestGroupTable& table_;
    std::array<std::int64_t, 100> group_order_{};           // IssueOrder of every two-digit group
    std::array<std::int64_t, kAreaCount> highest_order_{};  // IssueOrder of every area's highest group
    std::array<SsnReason, kAreaCount> area_reasons_{};      // AreaReason of every area
};

}  // namespace kalderos::ssn
