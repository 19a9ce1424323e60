// The card tables as rows: what a row may say, and every row of today's table with its lengths, check digit
// and overlaps, next to the classic table on the same numbers.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "card/card_outcome.h"

namespace kalderos::card {
namespace {

constexpr bool WellFormed(std::span<const CardTypeRow> rows) { return TableWellFormed({rows, LongerNumbers::TooManyDigits}); }

constexpr CardTypeRow kOther{"Other", "", "", CheckDigit::None};

TEST(CardRows, WhatARowMaySay) {
    constexpr std::array good{CardTypeRow{"A", "62", "16-19", CheckDigit::None},
                              CardTypeRow{"B", " 622126 - 622925 ,3", "12, 19", CheckDigit::Luhn}, kOther};
    static_assert(WellFormed(good));
    EXPECT_EQ(LengthSet(good[0]), 0xFu << 16);
    EXPECT_EQ(LengthSet(good[1]), (1u << 12) | (1u << 19));
    EXPECT_EQ(RequiredDigits(good[1], 13), 19u);
    EXPECT_EQ(RequiredDigits(good[1], 20), 19u);
    const CardTypeRow bad_rows[] = {
        {"A", "62", "11", CheckDigit::Luhn},           // shorter than any number
        {"A", "62", "16-20", CheckDigit::Luhn},        // longer
        {"A", "6221260", "16", CheckDigit::Luhn},      // seven digits
        {"A", "622-6229", "16", CheckDigit::Luhn},     // ends of two lengths
        {"A", "65-60", "16", CheckDigit::Luhn},        // backwards
        {"A", "6x", "16", CheckDigit::Luhn},
        {"A", "62,", "16", CheckDigit::Luhn},
        {"A", "62", "", CheckDigit::Luhn},             // no lengths
        {"", "62", "16", CheckDigit::Luhn},            // no name
        {"UnionPay_XX", "62", "16", CheckDigit::Luhn},  // too long a name for the column
    };
    for (const CardTypeRow& row : bad_rows) {
        const std::array rows{row, kOther};
        EXPECT_FALSE(WellFormed(rows)) << row.name << " " << row.prefixes << " " << row.lengths;
    }
    // Prefixes of one length may not meet, in two rows or in one; a longer one within a shorter one may.
    constexpr std::array overlap{CardTypeRow{"A", "62-64", "16", CheckDigit::Luhn},
                                 CardTypeRow{"B", "64", "16", CheckDigit::Luhn}, kOther};
    constexpr std::array overlap_in_row{CardTypeRow{"A", "62-64, 60-62", "16", CheckDigit::Luhn}, kOther};
    constexpr std::array without_other{CardTypeRow{"A", "62", "16", CheckDigit::Luhn}};
    EXPECT_FALSE(WellFormed(overlap));
    EXPECT_FALSE(WellFormed(overlap_in_row));
    EXPECT_FALSE(WellFormed(without_other));
}

struct RulesCase {
    CardRules rules;
    std::string text;
    std::string kind;
    int result;
    std::string kept;
};

constexpr CardRules C = CardRules::Current;
constexpr CardRules K = CardRules::Classic;

TEST(CardRows, EveryRowOfTodaysTable) {
    const RulesCase cases[] = {
        {C, "4000000000006", "VISA", 1, "4000000000006"},
        {C, "4000000000007", "VISA_X", -1, "4000000000007"},
        {C, "4000000000000002", "VISA", 1, "4000000000000002"},
        {C, "4000000000000000006", "VISA", 1, "4000000000000000006"},
        {K, "4000000000000000006", "VISA_X", -1, "4000000000000000"},  // classic: the first 16 digits
        {C, "4000000000000000007", "VISA_X", -1, "4000000000000000007"},
        {C, "40000000000002", "VISA", 0, "40000000000002"},           // 14 digits: 16 needed
        {C, "40000000000000006", "VISA", 0, "40000000000000006"},     // 17 digits: 19 needed
        {C, "40000000000000000002", "2MANY_DIGITS", 0, "40000000000000000002"},
        {C, "400000000000000000006", "2MANY_DIGITS", 0, "40000000000000000000"},
        {C, "400000000002", "VISA", 0, "400000000002"},               // 12 digits make a number, not a VISA one
        {K, "400000000002", "UNKNOWN", 0, "400000000002"},
        {C, "40000000006", "UNKNOWN", 0, "40000000006"},
        {C, "5100000000000008", "MasterCard", 1, "5100000000000008"},
        {C, "5500000000000005", "MasterCard_X", -1, "5500000000000005"},
        {C, "2221000000000009", "MasterCard", 1, "2221000000000009"},
        {C, "2720000000000005", "MasterCard", 1, "2720000000000005"},
        {C, "27200000000000001", "2MANY_DIGITS", 0, "27200000000000001"},
        {C, "2220000000000001", "Other", 0, "2220000000000001"},
        {C, "2721000000000003", "Other", 0, "2721000000000003"},
        {C, "340000000000009", "AMEX", 1, "340000000000009"},
        {C, "370000000000003", "AMEX_X", -1, "370000000000003"},
        {C, "3400000000000000", "2MANY_DIGITS", 0, "3400000000000000"},
        {C, "6011000000000004", "Discover", 1, "6011000000000004"},
        {C, "6011000000000005", "Discover_X", -1, "6011000000000005"},
        {C, "6011000000000000001", "Discover", 1, "6011000000000000001"},
        {C, "601100000000004", "Discover", 0, "601100000000004"},
        {C, "6440000000000005", "Discover", 1, "6440000000000005"},
        {C, "64900000000000007", "Discover", 1, "64900000000000007"},
        {C, "650000000000000002", "Discover", 1, "650000000000000002"},
        {K, "6500000000000000", "Other", 0, "6500000000000000"},
        // UnionPay's 62 yields to Discover's 622126-622925 within it, on both ends.
        {C, "6221260000000000", "Discover", 1, "6221260000000000"},
        {C, "6229250000000000006", "Discover", 1, "6229250000000000006"},
        {C, "6221250000000001", "UnionPay", 1, "6221250000000001"},
        {C, "6221250000000002", "UnionPay", 1, "6221250000000002"},    // no check digit required
        {C, "6229260000000002", "UnionPay", 1, "6229260000000002"},
        {C, "6221-2600-0000-0000", "Discover", 1, "6221-2600-0000-0000"},
        {C, "6200000000000000001", "UnionPay", 1, "6200000000000000001"},
        {C, "620000000000000", "UnionPay", 0, "620000000000000"},
        {C, "62000000000000000000", "2MANY_DIGITS", 0, "62000000000000000000"},
        {C, "3528000000000007", "JCB", 1, "3528000000000007"},
        {C, "3589000000000000000", "JCB_X", -1, "3589000000000000000"},
        {C, "3527000000000008", "Other", 0, "3527000000000008"},
        {C, "30000000000004", "DINERS", 1, "30000000000004"},
        {C, "3050000000000000002", "DINERS", 1, "3050000000000000002"},
        {C, "3095000000000000", "DINERS", 1, "3095000000000000"},
        {C, "36000000000009", "DINERS_X", -1, "36000000000009"},
        {C, "380000000000000", "DINERS", 1, "380000000000000"},
        {C, "3900000000000005", "DINERS", 1, "3900000000000005"},
        {C, "3060000000000000", "Other", 0, "3060000000000000"},       // classic JCB16
        {K, "3060000000000000", "JCB16_X", -1, "3060000000000000"},
        {C, "501800000009", "Maestro", 1, "501800000009"},
        {C, "501800000000", "Maestro_X", -1, "501800000000"},
        {C, "5893000000003", "Maestro", 1, "5893000000003"},
        {C, "6763000000000000007", "Maestro", 1, "6763000000000000007"},
        {C, "50180000007", "UNKNOWN", 0, "50180000007"},
        {C, "2200000000000004", "Mir", 1, "2200000000000004"},
        {C, "2204000000000000006", "Mir", 1, "2204000000000000006"},
        {C, "2205000000000009", "Other", 0, "2205000000000009"},
        // JCB15 and enRoute are no longer issued.
        {C, "213100000000001", "Other", 0, "213100000000001"},
        {C, "180000000000002", "Other", 0, "180000000000002"},
        {C, "201400000000009", "Other", 0, "201400000000009"},
        {C, "214900000000003", "Other", 0, "214900000000003"},
        {K, "214900000000003", "enRoute", 1, "214900000000003"},
        {C, "9000000000000001", "Other", 0, "9000000000000001"},
        {C, "9000000000000000000000", "Other", 0, "90000000000000000000"},
        // The text rules: dashes, the end of the number, what it is cut to.
        {C, "4000-0000-0000-0002", "VISA", 1, "4000-0000-0000-0002"},
        {C, "4000-0000-0000-0000006", "VISA", 1, "4000-0000-0000-0000006"},
        {C, "4000-0000-0000-0000-006", "UNKNOWN", 0, "4000-0000-0000-0000-006"},
        {C, "4000-000000000002", "UNKNOWN", 0, "4000-000000000002"},
        {C, "4000-0000-0000-00000000\n", "2MANY_DIGITS", 0, "4000-0000-0000-00000000"},
        {C, "4000000000000000006 x\n", "VISA", 1, "4000000000000000006"},
        {C, "4000000000000000006x", "UNKNOWN", 0, "4000000000000000006x"},
        {C, "3500 0000 0000 0000", "UNKNOWN", 0, "3500 0000 0000 0000"},
    };
    for (const RulesCase& c : cases) {
        const CardOutcome outcome = ClassifyCardText(c.text, c.rules);
        EXPECT_EQ(KindView(c.rules, outcome.kind), c.kind) << c.text;
        EXPECT_EQ(outcome.result, c.result) << c.text;
        EXPECT_EQ(c.text.substr(0, outcome.length), c.kept) << c.text;
    }
}

TEST(CardRows, TheCheckDigitIsTestedOnlyWhereTheTypeHasOne) {
    EXPECT_EQ(ClassifyCardText("6221250000000002", C).check, CheckResult::NotTested);
    EXPECT_EQ(ClassifyCardText("2200000000000004", C).check, CheckResult::Right);
    EXPECT_EQ(ClassifyCardText("2200000000000005", C).check, CheckResult::Wrong);
    EXPECT_EQ(ClassifyCardText("40000000000000006", C).check, CheckResult::NotTested);  // too few for 19
    EXPECT_EQ(ReasonName(ClassifyCardText("40000000000000006", C).reason), "too-few-digits");
    EXPECT_EQ(ReasonName(ClassifyCardText("40000000000000000002", C).reason), "too-many-digits");
}

}  // namespace
}  // namespace kalderos::card
