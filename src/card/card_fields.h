// The fields of a card record, in their order: the one list from which the TSV header, the printers' field
// order, the --help text and the Python module's attributes, docs and column types come. A new field is added
// here (its value in the printers' switch and in the Python module's, which the compiler holds to this list),
// never renamed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "card/card_outcome.h"

namespace kalderos::card {

enum class CardField : std::uint8_t { Input, Digits, Type, Luhn, Outcome, Reason, kCount };

// What a field holds, which tells a client how to keep it: the text as given, the number's digits, or a word of
// a small fixed vocabulary (the rule set's types and type texts, the check digit's results, the reasons).
enum class CardFieldKind : std::uint8_t { Input, Digits, Word };

struct CardFieldRow {
    std::string_view name;
    CardFieldKind kind;
    std::string_view doc;  // one line; "none" is the record's empty field (null, None)
};

inline constexpr std::array<CardFieldRow, static_cast<std::size_t>(CardField::kCount)> kCardFields{{
    {"input", CardFieldKind::Input, "the text as given, up to its first NUL"},
    {"digits", CardFieldKind::Digits,
     "the digits of the number, the blanks or dashes between its groups left out; none for a text that is no number"},
    {"type", CardFieldKind::Word, "the type by the leading digits, 'VISA', or 'Other'; none for a text that is no number"},
    {"luhn", CardFieldKind::Word, "the check digit: 'pass', 'fail', or 'n/a' where it is not tested"},
    {"outcome", CardFieldKind::Word,
     "what the program's text line shows: the type ('VISA_X' when its check digit is wrong), 'Other', "
     "'2MANY_DIGITS' or 'UNKNOWN'"},
    {"reason", CardFieldKind::Word,
     "'ok', or why not: 'not-a-number', 'bad-dashes', 'too-few-digits', 'unknown-prefix', 'too-many-digits', "
     "'bad-check-digit', 'empty'"},
}};

inline constexpr std::array<std::string_view, kCardFields.size()> kCardFieldNames = [] {
    std::array<std::string_view, kCardFields.size()> names{};
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = kCardFields[i].name;
    return names;
}();
static_assert(kCardFieldNames[static_cast<std::size_t>(CardField::Reason)] == "reason" &&
              !kCardFieldNames.back().empty() && !kCardFields.back().doc.empty());

// What the check-digit test came to, by CheckResult.
inline constexpr std::array<std::string_view, 3> kLuhnNames{"n/a", "pass", "fail"};
static_assert(kLuhnNames[static_cast<std::size_t>(CheckResult::NotTested)] == "n/a" &&
              kLuhnNames[static_cast<std::size_t>(CheckResult::Right)] == "pass" &&
              kLuhnNames[static_cast<std::size_t>(CheckResult::Wrong)] == "fail");

}  // namespace kalderos::card
