// The card tables as rows: what a row may say, and every row of today's table with its lengths, check digit
// and overlaps, next to the classic table on the same numbers.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "card/card_outcome.h"
#include "common/rule_sets.h"

namespace kalderos::card {
namespace {

constexpr bool WellFormed(std::span<const CardTypeRow> rows) { return TableWellFormed({rows, LongerNumbers::TooManyDigits}); }

constexpr CardTypeRow kOther{"Other", "", "", CheckDigit::None};

TEST(CardRows, WhatARowMaySay) {
    constexpr std::array good{CardTypeRow{"A", "62", "16-19", CheckDigit::None},
                              CardTypeRow{"B", " 622126 - 622925 ,3", "12, 19", CheckDigit::Luhn},
                              CardTypeRow{"InterPayments", "62212600-62212699, 6221270", "16", CheckDigit::Luhn},
                              kOther};
    static_assert(WellFormed(good));
    EXPECT_EQ(LengthSet(good[0]), 0xFu << 16);
    EXPECT_EQ(LengthSet(good[1]), (1u << 12) | (1u << 19));
    EXPECT_EQ(RequiredDigits(good[1], 13), 19u);
    EXPECT_EQ(RequiredDigits(good[1], 20), 19u);
    const CardTypeRow bad_rows[] = {
        {"A", "62", "11", CheckDigit::Luhn},           // shorter than any number
        {"A", "62", "16-20", CheckDigit::Luhn},        // longer
        {"A", "622126000", "16", CheckDigit::Luhn},    // nine digits
        {"A", "622-6229", "16", CheckDigit::Luhn},     // ends of two lengths
        {"A", "65-60", "16", CheckDigit::Luhn},        // backwards
        {"A", "6x", "16", CheckDigit::Luhn},
        {"A", "62,", "16", CheckDigit::Luhn},
        {"A", "62", "", CheckDigit::Luhn},             // no lengths
        {"", "62", "16", CheckDigit::Luhn},            // no name
        {"InterPayment_X", "62", "16", CheckDigit::Luhn},  // too long a name for a kind text with "_X"
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
    constexpr std::array overlap_of_eight{CardTypeRow{"A", "650923, 65083700-65083704", "16", CheckDigit::Luhn},
                                          CardTypeRow{"B", "650901-650978, 65083704", "16", CheckDigit::Luhn}, kOther};
    EXPECT_FALSE(WellFormed(overlap_of_eight));
    EXPECT_FALSE(WellFormed(overlap));
    EXPECT_FALSE(WellFormed(overlap_in_row));
    EXPECT_FALSE(WellFormed(without_other));
}

struct RulesCase {
    RuleSet rules;
    std::string text;
    std::string kind;
    int result;
    std::string kept{};  // the whole text where empty
};

constexpr RuleSet C = RuleSet::Current;
constexpr RuleSet K = RuleSet::Classic;

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
        // JCB15 and enRoute are no longer issued; 1800 is UATP's.
        {C, "213100000000001", "Other", 0, "213100000000001"},
        {C, "180000000000002", "UATP", 1, "180000000000002"},
        {C, "201400000000009", "Other", 0, "201400000000009"},
        {C, "214900000000003", "Other", 0, "214900000000003"},
        {K, "214900000000003", "enRoute", 1, "214900000000003"},
        {C, "9000000000000001", "Other", 0, "9000000000000001"},
        {C, "9000000000000000000000", "Other", 0, "90000000000000000000"},
        // Elo's prefixes within VISA's 4 and Discover's 65, and Troy's 650923 left to Elo.
        {C, "4011780000000006", "Elo", 1}, {C, "4011770000000007", "VISA", 1}, {C, "4011790000000005", "Elo", 1},
        {C, "4011800000000002", "VISA", 1}, {C, "5066990000000002", "Elo", 1}, {C, "5066980000000003", "Other", 0},
        {C, "5067780000000006", "Elo", 1}, {C, "5067790000000005", "Other", 0}, {C, "5090000000000000", "Elo", 1},
        {C, "5099990000000003", "Elo", 1}, {C, "6550580000000002", "Elo", 1}, {C, "6550590000000001", "Discover", 1},
        {C, "6509230000000006", "Elo", 1}, {C, "6362970000000003", "Elo", 1}, {C, "506700000000004", "Elo", 0},
        {C, "50670000000000004", "2MANY_DIGITS", 0},
        // Hiper's six- and eight-digit prefixes within InstaPayment's 637.
        {C, "6370950000000005", "Hiper", 1}, {C, "6370940000000006", "InstaPayment", 1},
        {C, "6376120000000009", "Hiper", 1}, {C, "6373742300000000", "Hiper", 1},
        {C, "6373742200000001", "InstaPayment", 1}, {C, "6373742400000009", "InstaPayment", 1},
        {C, "6374335800000007", "Hiper", 1}, {C, "6374335900000006", "InstaPayment", 1},
        {C, "637433580000002", "Hiper", 0},
        {C, "6062820000000003", "Hipercard", 1}, {C, "6062810000000004", "RuPay", 1},
        {C, "6062830000000002", "RuPay", 1}, {C, "6062820000000000002", "2MANY_DIGITS", 0},
        // Troy's eight-digit prefixes divide six-digit starts of Discover's 65; 650836 holds 65083699.
        {C, "9792000000000003", "Troy", 1}, {C, "9791000000000004", "Other", 0}, {C, "9793000000000002", "Other", 0},
        {C, "6508370000000001", "Troy", 1}, {C, "6508369900000004", "Troy", 1}, {C, "6508370400000007", "Troy", 1},
        {C, "6508370500000006", "Discover", 1}, {C, "6587830000000008", "Troy", 1},
        {C, "6587831100000005", "Troy", 1}, {C, "6587831200000004", "Discover", 1},
        {C, "6587829900000001", "Discover", 1}, {C, "6588090000000008", "Troy", 1},
        {C, "6588090100000007", "Discover", 1}, {C, "6500520000000009", "Troy", 1},
        {C, "6500530000000008", "Discover", 1}, {C, "650052000000000009", "2MANY_DIGITS", 0},
        {C, "5060990000000008", "Verve", 1}, {C, "5060980000000009", "Other", 0},
        {C, "506127000000000004", "Verve", 1}, {C, "5061280000000003", "Other", 0},
        {C, "5079410000000000003", "Verve", 1}, {C, "5079420000000005", "Other", 0},
        {C, "50790000000000009", "Verve", 0}, {C, "50790000000000000005", "2MANY_DIGITS", 0},
        // RuPay's 60 yields to Discover's 6011, its 81 to UnionPay, and 509 is Elo's.
        {C, "6000000000000007", "RuPay", 1}, {C, "6099000000000009", "RuPay", 1}, {C, "6100000000000006", "Other", 0},
        {C, "5900000000000000", "Other", 0}, {C, "8190000000000003", "RuPay", 1}, {C, "8000000000000003", "Other", 0},
        {C, "8200000000000001", "RuPay", 1}, {C, "8300000000000000", "Other", 0}, {C, "5080000000000002", "RuPay", 1},
        {C, "5070000000000004", "Other", 0},
        {C, "6011000000000004", "Discover", 1}, {C, "6010000000000005", "RuPay", 1},
        {C, "6012000000000003", "RuPay", 1}, {C, "819000000000001", "RuPay", 0},
        {C, "81900000000000001", "2MANY_DIGITS", 0},
        {C, "8100000000000002", "UnionPay", 1}, {C, "8110000000000000009", "UnionPay", 1},
        {C, "8171000000000006", "UnionPay", 1}, {C, "8172000000000005", "RuPay", 1},
        {C, "8109000000000003", "UnionPay", 1}, {C, "811000000000009", "UnionPay", 0},
        {C, "100000000000009", "UATP", 1}, {C, "190000000000000", "UATP", 1}, {C, "000000000000000", "Other", 0},
        {C, "2000000000000006", "Other", 0}, {C, "10000000000008", "UATP", 0},
        {C, "1000000000000008", "2MANY_DIGITS", 0},
        // Dankort between two Maestro prefixes.
        {C, "5019000000000008", "Dankort", 1}, {C, "5018000000000009", "Maestro", 1},
        {C, "5020000000000005", "Maestro", 1}, {C, "501900000000005", "Dankort", 0},
        {C, "6360000000000001", "InterPayment", 1}, {C, "6360000000000000002", "InterPayment", 1},
        {C, "6350000000000003", "Other", 0}, {C, "6369000000000002", "InterPayment", 1},
        {C, "636000000000002", "InterPayment", 0},
        {C, "6370000000000009", "InstaPayment", 1}, {C, "6390000000000005", "InstaPayment", 1},
        {C, "6400000000000003", "Other", 0}, {C, "63900000000000009", "2MANY_DIGITS", 0},
        // LankaPay within JCB's 3528-3589.
        {C, "3571110000000000", "LankaPay", 1}, {C, "3571100000000001", "JCB", 1}, {C, "3571120000000009", "JCB", 1},
        {C, "35711100000000004", "2MANY_DIGITS", 0},
        {C, "8600000000000007", "UzCard", 1}, {C, "8599000000000000", "Other", 0},
        {C, "8601000000000006", "Other", 0}, {C, "860000000000009", "UzCard", 0},
        {C, "9860000000000000", "Humo", 1}, {C, "9859000000000003", "Other", 0}, {C, "9861000000000009", "Other", 0},
        {C, "98600000000000008", "2MANY_DIGITS", 0},
        // BORICA next to Mir.
        {C, "2205000000000009", "BORICA", 1}, {C, "2204000000000000", "Mir", 1}, {C, "2206000000000008", "Other", 0},
        {C, "220500000000003", "BORICA", 0},
        // The eight-digit prefixes with dashes among them.
        {C, "6587-8311-0000-0005", "Troy", 1}, {C, "6587-83-1200-000004", "Discover", 1},
        {C, "63-737423-0000-0000", "Hiper", 1},
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
        const CardOutcome outcome =
            test::UnderRules(c.rules, [&](auto set) { return ClassifyCardText<decltype(set)::value>(c.text); });
        EXPECT_EQ(KindView(c.rules, outcome.kind), c.kind) << c.text;
        EXPECT_EQ(outcome.result, c.result) << c.text;
        EXPECT_EQ(c.text.substr(0, outcome.length), c.kept.empty() ? c.text : c.kept) << c.text;
    }
}

TEST(CardRows, TheCheckDigitIsTestedOnlyWhereTheTypeHasOne) {
    EXPECT_EQ(ClassifyCardText<C>("6221250000000002").check, CheckResult::NotTested);
    EXPECT_EQ(ClassifyCardText<C>("2200000000000004").check, CheckResult::Right);
    EXPECT_EQ(ClassifyCardText<C>("2200000000000005").check, CheckResult::Wrong);
    EXPECT_EQ(ClassifyCardText<C>("40000000000000006").check, CheckResult::NotTested);  // too few for 19
    EXPECT_EQ(ReasonName(ClassifyCardText<C>("40000000000000006").reason), "too-few-digits");
    EXPECT_EQ(ReasonName(ClassifyCardText<C>("40000000000000000002").reason), "too-many-digits");
}

}  // namespace
}  // namespace kalderos::card
