// The fields of a card record, in their order: the one list from which the TSV header, the printers' field
// order and the --help text come. A new field is added here (its value in the printers' switch, which the
// compiler holds to this list), never renamed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "card/card_outcome.h"

namespace kalderos::card {

enum class CardField : std::uint8_t { Input, Digits, Type, Luhn, Outcome, Reason, kCount };

inline constexpr std::array<std::string_view, static_cast<std::size_t>(CardField::kCount)> kCardFieldNames{
    "input", "digits", "type", "luhn", "outcome", "reason",
};
static_assert(kCardFieldNames[static_cast<std::size_t>(CardField::Reason)] == "reason" &&
              !kCardFieldNames.back().empty());

// What the check-digit test came to, by CheckResult.
inline constexpr std::array<std::string_view, 3> kLuhnNames{"n/a", "pass", "fail"};
static_assert(kLuhnNames[static_cast<std::size_t>(CheckResult::NotTested)] == "n/a" &&
              kLuhnNames[static_cast<std::size_t>(CheckResult::Right)] == "pass" &&
              kLuhnNames[static_cast<std::size_t>(CheckResult::Wrong)] == "fail");

}  // namespace kalderos::card
