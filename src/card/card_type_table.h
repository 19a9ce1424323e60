// The card types, one row each: the name printed, the leading digits that make a number one, the digit counts
// it may have, and whether its check digit is tested. Everything the classifier looks up is derived from these
// rows at compile time; a new type is a new row.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "card/card_type_row.h"

namespace kalderos::card {

// Which table names the types: the one of the classic card networks, or today's.
enum class CardRules : std::uint8_t { Classic, Current };

// The networks of the classic table. Numbers longer than 16 digits are taken on their first 16.
inline constexpr std::array kClassicCardRows{
    CardTypeRow{"DINERS", "300-305, 36, 38", "14", CheckDigit::Luhn},
    CardTypeRow{"AMEX", "34, 37", "15", CheckDigit::Luhn},
    CardTypeRow{"VISA", "4", "13, 16", CheckDigit::Luhn},
    CardTypeRow{"MasterCard", "51-55", "16", CheckDigit::Luhn},
    CardTypeRow{"Discover", "6011", "16", CheckDigit::Luhn},
    CardTypeRow{"JCB16", "3", "16", CheckDigit::Luhn},
    CardTypeRow{"JCB15", "2131, 1800", "15", CheckDigit::Luhn},
    CardTypeRow{"enRoute", "2014, 2149", "15", CheckDigit::None},  // enRoute numbers carry no check digit
    CardTypeRow{"Other", "", "", CheckDigit::None},
};

// Today's networks, as they publish their ranges. A number longer than every type is too long.
inline constexpr std::array kCurrentCardRows{
    CardTypeRow{"VISA", "4", "13, 16, 19", CheckDigit::Luhn},
    CardTypeRow{"MasterCard", "51-55, 2221-2720", "16", CheckDigit::Luhn},
    CardTypeRow{"AMEX", "34, 37", "15", CheckDigit::Luhn},
    CardTypeRow{"Discover", "6011, 644-649, 65, 622126-622925", "16-19", CheckDigit::Luhn},
    CardTypeRow{"JCB", "3528-3589", "16-19", CheckDigit::Luhn},
    CardTypeRow{"DINERS", "300-305, 3095, 36, 38-39", "14-19", CheckDigit::Luhn},
    CardTypeRow{"UnionPay", "62", "16-19", CheckDigit::None},  // not every UnionPay number has a check digit
    CardTypeRow{"Maestro", "5018, 5020, 5038, 5893, 6304, 6759, 6761-6763", "12-19", CheckDigit::Luhn},
    CardTypeRow{"Mir", "2200-2204", "16-19", CheckDigit::Luhn},
    CardTypeRow{"Other", "", "", CheckDigit::None},
};

inline constexpr CardTypeTable kClassicCards{kClassicCardRows, LongerNumbers::CutToLongest};
inline constexpr CardTypeTable kCurrentCards{kCurrentCardRows, LongerNumbers::TooManyDigits};

constexpr const CardTypeTable& TableOf(CardRules rules) {
    return rules == CardRules::Current ? kCurrentCards : kClassicCards;
}

static_assert(TableOf(CardRules::Classic).rows.data() == kClassicCardRows.data());
static_assert(TableWellFormed(kClassicCards) && TableWellFormed(kCurrentCards));
static_assert(ShortestLength(kClassicCards) == 13 && DigitsScanned(kClassicCards) == 16 &&
              ScanLimit(kClassicCards) == 20 && PrefixDigits(kClassicCards) == 4);
static_assert(ShortestLength(kCurrentCards) == 12 && DigitsScanned(kCurrentCards) == 20 &&
              ScanLimit(kCurrentCards) == 24 && PrefixDigits(kCurrentCards) == 6);
static_assert(RequiredDigits(kClassicCardRows[2], 13) == 13 && RequiredDigits(kClassicCardRows[2], 14) == 16 &&
              RequiredDigits(kClassicCardRows[0], 16) == 14 && RequiredDigits(kClassicCardRows[8], 16) == 0);
// The longest prefix wins: the lone 3 of JCB16 yields to DINERS and AMEX, UnionPay's 62 to Discover's 622126.
static_assert(RowOfLeadingDigits(kClassicCards, "3000") == 0 && RowOfLeadingDigits(kClassicCards, "3400") == 1 &&
              RowOfLeadingDigits(kClassicCards, "3060") == 5 && RowOfLeadingDigits(kClassicCards, "9000") == 8);
static_assert(RowOfLeadingDigits(kCurrentCards, "622126") == 3 && RowOfLeadingDigits(kCurrentCards, "622125") == 6 &&
              RowOfLeadingDigits(kCurrentCards, "622925") == 3 && RowOfLeadingDigits(kCurrentCards, "622926") == 6);

}  // namespace kalderos::card
