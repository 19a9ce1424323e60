// What the fields of a card record hold beyond the outcome's own values: the record printers and the library's
// Checker take them from here, so that a program that embeds the checks reads what the records print.
#pragma once

#include <cstddef>
#include <string_view>

#include "card/card_outcome.h"

namespace kalderos::card {

// The digits and the type: none for a text that is no number (UNKNOWN).
constexpr bool ShowsNumber(const CardOutcome& outcome) { return outcome.kind != kUnknownKind; }

// The kind whose text the type field shows: the type's own name, without "_X", and for 2MANY_DIGITS the type
// its leading digits name.
constexpr std::size_t TypeFieldKind(const CardOutcome& outcome) { return TypeKind(outcome.type); }

// The digits: those of the part of the text the classifier kept (`kept`: digits and dashes, fewer than
// kCardReadAhead), its dashes left out, written to `digits`, which has room for kept.size(); returns their count.
inline std::size_t DigitsField(std::string_view kept, char* digits) {
    // Most numbers are written without dashes: one copy, not a byte at a time.
    if (kept.find('-') == std::string_view::npos) {
        kept.copy(digits, kept.size());
        return kept.size();
    }
    std::size_t count = 0;
    for (const char c : kept) {
        digits[count] = c;
        count += static_cast<std::size_t>(c != '-');
    }
    return count;
}

}  // namespace kalderos::card
