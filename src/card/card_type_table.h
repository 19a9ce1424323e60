// The card types, one row each: the name printed, the leading digits that make a number one, the digit counts
// it may have, and whether its check digit is tested. Everything the classifier looks up is derived from these
// rows at compile time; a new type is a new row.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "card/card_type_row.h"
#include "kalderos/kalderos.h"
#include "rules/rule_sets.h"

namespace kalderos::card {

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

// Today's networks, as they publish their ranges. A number longer than every type is too long. Where a
// network's range lies within another's, the longest prefix takes the number: Elo's 401178 inside VISA's 4,
// Discover's 6011 inside RuPay's 60, UnionPay's 8110-8171 inside RuPay's 81.
inline constexpr std::array kCurrentCardRows{
    CardTypeRow{"VISA", "4", "13, 16, 19", CheckDigit::Luhn},
    CardTypeRow{"MasterCard", "51-55, 2221-2720", "16", CheckDigit::Luhn},
    CardTypeRow{"AMEX", "34, 37", "15", CheckDigit::Luhn},
    CardTypeRow{"Discover", "6011, 644-649, 65, 622126-622925", "16-19", CheckDigit::Luhn},
    CardTypeRow{"JCB", "3528-3589", "16-19", CheckDigit::Luhn},
    CardTypeRow{"DINERS", "300-305, 3095, 36, 38-39", "14-19", CheckDigit::Luhn},
    CardTypeRow{"UnionPay", "62, 810, 8110-8171", "16-19", CheckDigit::None},  // not every UnionPay number has one
    CardTypeRow{"Maestro", "5018, 5020, 5038, 5893, 6304, 6759, 6761-6763", "12-19", CheckDigit::Luhn},
    CardTypeRow{"Mir", "2200-2204", "16-19", CheckDigit::Luhn},
    CardTypeRow{"Elo",
                "401178, 401179, 431274, 438935, 451416, 457393, 457631, 457632, 504175, 506699-506778, "
                "509000-509999, 627780, 636297, 636368, 650031-650033, 650035-650051, 650405-650439, "
                "650485-650538, 650541-650598, 650700-650718, 650720-650727, 650901-650978, 651652-651679, "
                "655000-655019, 655021-655058",
                "16", CheckDigit::Luhn},
    CardTypeRow{"Hiper", "637095, 637568, 637599, 637609, 637612, 63737423, 63743358", "16", CheckDigit::Luhn},
    CardTypeRow{"Hipercard", "606282", "16", CheckDigit::Luhn},
    // Troy also publishes 650923, which lies within Elo's 650901-650978 and is left to Elo.
    CardTypeRow{"Troy",
                "9792, 650052, 650082-650083, 650092, 650161, 650170, 650173, 650175, 650268, 650271, "
                "650273-650274, 650456-650457, 650836, 650846-650850, 650987, 650990, 654997, 657366, 657998, "
                "658758, 658767-658768, 65083700-65083704, 65085800-65085804, 65085900-65085901, 65086000, "
                "65086100-65086105, 65086200-65086203, 65875000-65875003, 65875009, 65875101-65875104, 65875200, "
                "65875501, 65875601, 65875900, 65876000-65876002, 65876100-65876103, 65876110, "
                "65876115-65876116, 65876200-65876201, 65876500, 65876504-65876505, 65876600-65876602, "
                "65877100-65877101, 65877600-65877602, 65877700, 65877801-65877802, 65878200-65878202, "
                "65878300-65878311, 65878400-65878405, 65878500-65878505, 65878600-65878601, 65879800, "
                "65880800, 65880900",
                "16", CheckDigit::Luhn},
    CardTypeRow{"Verve",
                "506099-506127, 506129, 506133-506150, 506158-506163, 506166, 506168, 506170, 506173, "
                "506176-506180, 506184, 506187-506188, 506191, 506195, 506197, 507865, 507866, 507868-507877, "
                "507880-507888, 507900, 507941",
                "16, 18, 19", CheckDigit::Luhn},
    // RuPay also issues in 65 and 353 and 356, co-badged with Discover and JCB, whose rows keep those.
    CardTypeRow{"RuPay", "60, 81, 82, 508", "16", CheckDigit::Luhn},
    CardTypeRow{"UATP", "1", "15", CheckDigit::Luhn},
    CardTypeRow{"Dankort", "5019", "16", CheckDigit::Luhn},
    CardTypeRow{"InterPayment", "636", "16-19", CheckDigit::Luhn},
    CardTypeRow{"InstaPayment", "637-639", "16", CheckDigit::Luhn},
    CardTypeRow{"LankaPay", "357111", "16", CheckDigit::Luhn},
    CardTypeRow{"UzCard", "8600", "16", CheckDigit::Luhn},
    CardTypeRow{"Humo", "9860", "16", CheckDigit::Luhn},
    CardTypeRow{"BORICA", "2205", "16", CheckDigit::Luhn},
    CardTypeRow{"Other", "", "", CheckDigit::None},
};

inline constexpr CardTypeTable kClassicCards{kClassicCardRows, LongerNumbers::CutToLongest};
inline constexpr CardTypeTable kCurrentCards{kCurrentCardRows, LongerNumbers::TooManyDigits};

// The table that names the types under a rule set: the one of the classic card networks, or today's.
constexpr const CardTypeTable& TableOf(RuleSet rules) {
    switch (RowOf(rules).cards) {
        case CardNetworks::Classic:
            return kClassicCards;
        case CardNetworks::Today:
            return kCurrentCards;
    }
    return kClassicCards;
}

// The row of a type by its name, so that the checks below still mean their rows when rows are added or moved.
constexpr const CardTypeRow& RowOf(const CardTypeTable& table, std::string_view name) {
    return table.rows[RowNamed(table, name)];
}

namespace detail {

// Whether the longest prefix among the leading `digits` is one of the type named `name`.
constexpr bool Names(const CardTypeTable& table, std::string_view digits, std::string_view name) {
    return RowOfLeadingDigits(table, digits) == RowNamed(table, name);
}

}  // namespace detail

static_assert(TableOf(RuleSet::Classic).rows.data() == kClassicCardRows.data() &&
              TableOf(RuleSet::Current).rows.data() == kCurrentCardRows.data());
static_assert(TableWellFormed(kClassicCards) && TableWellFormed(kCurrentCards));
static_assert(ShortestLength(kClassicCards) == 13 && DigitsScanned(kClassicCards) == 16 &&
              ScanLimit(kClassicCards) == 20 && PrefixDigits(kClassicCards) == 4);
static_assert(ShortestLength(kCurrentCards) == 12 && DigitsScanned(kCurrentCards) == 20 &&
              ScanLimit(kCurrentCards) == 24 && PrefixDigits(kCurrentCards) == 8);
static_assert(RequiredDigits(RowOf(kClassicCards, "VISA"), 13) == 13 &&
              RequiredDigits(RowOf(kClassicCards, "VISA"), 14) == 16 &&
              RequiredDigits(RowOf(kClassicCards, "DINERS"), 16) == 14 &&
              RequiredDigits(RowOf(kClassicCards, "Other"), 16) == 0 &&
              RequiredDigits(RowOf(kCurrentCards, "Verve"), 17) == 18);
// The longest prefix wins: the lone 3 of JCB16 yields to DINERS and AMEX, UnionPay's 62 to Discover's 622126,
// VISA's 4 to Elo's 401178, RuPay's 60 to Discover's 6011 and its 81 to UnionPay's 8110-8171, a six-digit start
// of Discover's 65 to Troy's eight-digit prefixes.
static_assert(detail::Names(kClassicCards, "3000", "DINERS") && detail::Names(kClassicCards, "3400", "AMEX") &&
              detail::Names(kClassicCards, "3060", "JCB16") && detail::Names(kClassicCards, "9000", "Other"));
static_assert(detail::Names(kCurrentCards, "62212600", "Discover") &&
              detail::Names(kCurrentCards, "62212599", "UnionPay") &&
              detail::Names(kCurrentCards, "62292599", "Discover") &&
              detail::Names(kCurrentCards, "62292600", "UnionPay"));
static_assert(detail::Names(kCurrentCards, "40117800", "Elo") && detail::Names(kCurrentCards, "40117700", "VISA") &&
              detail::Names(kCurrentCards, "60110000", "Discover") &&
              detail::Names(kCurrentCards, "60120000", "RuPay") &&
              detail::Names(kCurrentCards, "81100000", "UnionPay") &&
              detail::Names(kCurrentCards, "81720000", "RuPay") &&
              detail::Names(kCurrentCards, "65083704", "Troy") &&
              detail::Names(kCurrentCards, "65083705", "Discover") &&
              detail::Names(kCurrentCards, "65092300", "Elo"));

}  // namespace kalderos::card
