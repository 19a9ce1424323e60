// The fields of an SSN record, in their order: the one list from which the TSV header, the printers' field
// order and the --help text come. A new field is added here (its value in the printers' switch, which the
// compiler holds to this list), never renamed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "kalderos/kalderos.h"

namespace kalderos::ssn {

enum class SsnField : std::uint8_t {
    Input, WellFormed, Area, Group, Serial, Place, Verdict, Confirm, Reason, IssuedAfter, IssuedBy, kCount
};

inline constexpr std::array<std::string_view, static_cast<std::size_t>(SsnField::kCount)> kSsnFieldNames{
    "input", "well_formed", "area", "group", "serial", "place", "verdict", "confirm", "reason",
    "issued_after", "issued_by",
};
static_assert(kSsnFieldNames[static_cast<std::size_t>(SsnField::Reason)] == "reason" &&
              kSsnFieldNames[static_cast<std::size_t>(SsnField::IssuedBy)] == "issued_by" &&
              !kSsnFieldNames.back().empty());

// The verdict's word, by SsnVerdict.
inline constexpr std::array<std::string_view, 3> kVerdictNames{"valid", "invalid", "unknown"};
static_assert(kVerdictNames[static_cast<std::size_t>(SsnVerdict::Valid)] == "valid" &&
              kVerdictNames[static_cast<std::size_t>(SsnVerdict::Invalid)] == "invalid" &&
              kVerdictNames[static_cast<std::size_t>(SsnVerdict::Unknown)] == "unknown");

}  // namespace kalderos::ssn
