// The reasons the records name: the rule that decides an SSN's verdict, and the cause of a card's outcome.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "card/card_outcome.h"
#include "card/written_card.h"
#include "common/rule_sets.h"
#include "kalderos/kalderos.h"
#include "ssn/place_names.h"
#include "ssn/rules.h"
#include "ssn/ssn_reason.h"
#include "ssn/current_rules.h"
#include "ssn/ssn_rules.h"

namespace kalderos {
namespace {

using ssn::SsnReason;

HighestGroupTable Builtin() {
    HighestGroupTable table;
    FillFromBuiltinGroupList(table);
    return table;
}

// Where two rules apply, the one applied first names the reason.
TEST(SsnReason, FirstRuleThatDecides) {
    const struct {
        SsnNumber number;
        SsnReason reason;
    } cases[] = {
        {{0, 0, 0}, SsnReason::Area000},          {{773, 0, 0}, SsnReason::AreaAfter2011},
        {{899, 99, 9999}, SsnReason::AreaAfter2011}, {{900, 0, 0}, SsnReason::Area900To999},
        {{999, 1, 1}, SsnReason::Area900To999},  {{772, 0, 0}, SsnReason::Group00},
        {{666, 0, 1}, SsnReason::Group00},       {{666, 1, 0}, SsnReason::Serial0000},
        {{666, 1, 1}, SsnReason::Area666},       {{78, 5, 1120}, SsnReason::KnownInvalid},
        {{78, 5, 1121}, SsnReason::Ok},          {{586, 99, 1}, SsnReason::KnownInvalid},
        {{123, 45, 6789}, SsnReason::GroupNotIssued}, {{123, 96, 1}, SsnReason::Ok},
        {{1, 1, 1}, SsnReason::Ok},              {{-12, 45, 6789}, SsnReason::Malformed},
        {{1000, 1, 1}, SsnReason::Malformed},
    };
    const HighestGroupTable table = Builtin();
    for (const auto& [number, reason] : cases) {
        EXPECT_EQ(ssn::ReasonName(ssn::ReasonFor(number, table, kalderos::RuleSet::Classic)), ssn::ReasonName(reason))
            << number.area << "-" << number.group << "-" << number.serial;
    }
}

// JudgeSsn's verdict for the numbers each rule decides, and on either side of an area's highest group in each
// class of the order of issue, against the built-in table. An area the table names no group for (734) orders
// its 0 as an even group below 10: 01-09 odd and 10-98 even come before it.
TEST(SsnReason, VerdictOfEachRule) {
    constexpr SsnVerdict kValid = SsnVerdict::Valid;
    constexpr SsnVerdict kInvalid = SsnVerdict::Invalid;
    constexpr SsnVerdict kUnknown = SsnVerdict::Unknown;
    const struct {
        SsnNumber number;
        SsnVerdict verdict;
    } cases[] = {
        {{1, 1, 1}, kValid},          {{1, 98, 1}, kValid},         {{1, 6, 9999}, kValid},
        {{1, 8, 1}, kInvalid},        {{1, 11, 1}, kInvalid},       {{40, 8, 1}, kValid},
        {{40, 13, 1}, kValid},        {{40, 15, 1}, kInvalid},      {{223, 99, 1}, kValid},
        {{123, 96, 1}, kValid},       {{123, 98, 1}, kInvalid},     {{754, 1, 1}, kValid},
        {{754, 3, 1}, kInvalid},      {{734, 1, 1}, kValid},      {{772, 70, 1}, kValid},
        {{0, 12, 3456}, kInvalid},    {{666, 12, 3456}, kInvalid},  {{900, 12, 3456}, kInvalid},
        {{999, 99, 9999}, kInvalid},  {{773, 1, 1}, kUnknown},      {{899, 99, 9999}, kUnknown},
        {{800, 0, 0}, kUnknown},      {{772, 0, 1}, kInvalid},      {{123, 96, 0}, kInvalid},
        {{78, 5, 1120}, kInvalid},    {{78, 5, 1121}, kValid},      {{-12, 45, 6789}, kInvalid},
        {{1000, 1, 1}, kInvalid},     {{772, 72, 1}, kInvalid},     {{734, 2, 1}, kInvalid},
    };
    const HighestGroupTable table = Builtin();
    for (const auto& [number, verdict] : cases) {
        EXPECT_EQ(static_cast<int>(JudgeSsn(number, table)), static_cast<int>(verdict))
            << number.area << "-" << number.group << "-" << number.serial;
    }
}

template <RuleSet kSet>
void ExpectTablesAreReasonFor(const ssn::SsnRules& rules, const HighestGroupTable& table) {
    for (std::int32_t area = 0; area < kAreaCount; ++area) {
        for (std::int32_t group = 0; group < 100; ++group) {
            for (const std::int32_t serial : {0, 1, 749, 1120, 1852, 6629, 7694, 7999, 9999}) {
                const ssn::FieldsJudged fast = rules.JudgeAs<kSet>(area, group, serial);
                const ssn::FieldsJudged plain = ssn::JudgeAnyFields<kSet>({area, group, serial}, table);
                ASSERT_EQ(ssn::ReasonName(fast.reason), ssn::ReasonName(ssn::ReasonFor({area, group, serial}, table, kSet)))
                    << area << "-" << group << "-" << serial;
                ASSERT_EQ(fast.reason, plain.reason) << area << "-" << group << "-" << serial;
                ASSERT_EQ(fast.marks_confirm, plain.marks_confirm) << area << "-" << group << "-" << serial;
                ASSERT_EQ(fast.issued_at_random, plain.issued_at_random) << area << "-" << group;
            }
        }
    }
}

// The rules' fast variant gives ReasonFor's reason, the CONFIRM mark and the random-issue mark of the plain
// functions, for every number of fields within their widths, under both rule sets.
TEST(SsnReason, RulesTablesAreReasonFor) {
    HighestGroupTable other = Builtin();
    for (std::size_t area = 1; area < other.group.size(); area += 7) other.group[area] = 4;
    HighestGroupTable june_2011;
    ssn::FillFromJune2011List(june_2011);
    ReadGroupText("5 -1 6 100 7 99 8 0 800 10", june_2011);
    for (const RuleSet rule_set : test::kRuleSets) {
        for (const HighestGroupTable& table : {Builtin(), other, june_2011}) {
            const ssn::MadeSsnRules rules(table, rule_set);
            test::UnderRules(rule_set, [&](auto set) { ExpectTablesAreReasonFor<decltype(set)::value>(rules, table); });
        }
    }
}

// Records copy place names unescaped from a padded table of 64 bytes each, written as a person writes them: the
// name text without its padding, the names of a joined area one ", " apart.
TEST(SsnReason, PlaceNamesNeedNoEscapeAndFitTheirRoom) {
    for (std::int32_t area = 0; area < kAreaCount; ++area) {
        const std::string_view place = ssn::PlaceOf(area);
        EXPECT_LE(place.size(), 64u) << area;
        for (const char c : place) EXPECT_TRUE(c >= 0x20 && c < 0x7F && c != '"' && c != '\\') << area;
        std::string expected;
        for (const char c : AreaName(area)) {
            if (c == ' ' && (expected.empty() || expected.back() == ' ')) continue;
            if (c == ',' && !expected.empty() && expected.back() == ' ') expected.pop_back();
            expected += c;
        }
        while (!expected.empty() && expected.back() == ' ') expected.pop_back();
        EXPECT_EQ(place, expected) << area;
    }
    EXPECT_EQ(ssn::PlaceOf(232), "North Carolina, West Virginia");
    EXPECT_EQ(ssn::PlaceOf(580), "Virgin Islands, Puerto Rico");
    EXPECT_EQ(ssn::PlaceOf(-1), "");
    EXPECT_EQ(ssn::PlaceOf(1000), "");
}

TEST(CardReason, ByOutcome) {
    const struct {
        const char* text;
        card::CardReason reason;
    } cases[] = {
        {"4111111111111111", card::CardReason::Ok},          {"201400000000001", card::CardReason::Ok},
        {"4111111111111112", card::CardReason::BadCheckDigit}, {"3400000000000090", card::CardReason::TooManyDigits},
        {"40000000000006", card::CardReason::TooFewDigits},  {"400000000000", card::CardReason::TooFewDigits},
        {"", card::CardReason::TooFewDigits},                {"9000000000000000", card::CardReason::UnknownPrefix},
        {"4000-000000000002", card::CardReason::BadDashes},  {"4-0-0-0-000000000002", card::CardReason::BadDashes},
        {"4111x111111111111", card::CardReason::NotANumber}, {"x", card::CardReason::NotANumber},
        {"4000-0000-0000-0002", card::CardReason::Ok},       {"4111111111111111 x", card::CardReason::Ok},
    };
    for (const auto& [text, reason] : cases) {
        EXPECT_EQ(card::ReasonName(card::ClassifyCardText<RuleSet::Classic>(text).reason), card::ReasonName(reason)) << text;
    }
}

// On random texts each reason goes with its outcome text, and the type the outcome names is the one reported,
// by the classifier and by the strict reading (which alone finds a text empty).
TEST(CardReason, AgreesWithTheOutcomeOnRandomTexts) {
    std::mt19937 random(3);
    for (int i = 0; i < 400000; ++i) {
        std::string text;
        for (int n = std::uniform_int_distribution<int>(0, 22)(random); n > 0; --n) {
            text += "0123456789--- x"[std::uniform_int_distribution<int>(0, 14)(random)];
        }
        card::WrittenCopy copy;
        const card::CardOutcome outcome =
            i % 2 == 0 ? card::ClassifyCardText<RuleSet::Classic>(text)
                       : card::ClassifyWritten(text, RuleSet::Classic, copy, [](std::string_view number) {
                             return card::ClassifyCardText<RuleSet::Classic>(number);
                         }).outcome;
        const std::string_view kind = card::KindView(RuleSet::Classic, outcome.kind);
        const bool unknown = outcome.kind == card::kUnknownKind;
        const bool other = outcome.type + 1u == card::kClassicCardRows.size();
        switch (outcome.reason) {
            case card::CardReason::NotANumber:
            case card::CardReason::BadDashes:
                EXPECT_TRUE(unknown) << text;
                break;
            case card::CardReason::UnknownPrefix:
                EXPECT_EQ(kind, "Other") << text;
                break;
            case card::CardReason::TooManyDigits:
                EXPECT_EQ(kind, "2MANY_DIGITS") << text;
                break;
            case card::CardReason::BadCheckDigit:
                EXPECT_TRUE(kind.size() > 2 && kind.substr(kind.size() - 2) == "_X") << text;
                EXPECT_EQ(outcome.result, -1) << text;
                break;
            case card::CardReason::Ok:
                EXPECT_EQ(kind, card::kClassicCardRows[outcome.type].name) << text;
                EXPECT_FALSE(other) << text;
                break;
            case card::CardReason::TooFewDigits:
                EXPECT_TRUE(unknown || kind == card::kClassicCardRows[outcome.type].name) << text;
                EXPECT_EQ(outcome.result, 0) << text;
                break;
            case card::CardReason::Empty:
                EXPECT_TRUE(unknown && other && text.find_first_not_of(' ') == std::string::npos) << text;
                break;
            case card::CardReason::kCount:
                ADD_FAILURE() << "no reason given for " << text;
                break;
        }
        if (!unknown && outcome.kind != card::kTooManyDigitsKind) {
            EXPECT_EQ(kind.substr(0, card::kClassicCardRows[outcome.type].name.size()), card::kClassicCardRows[outcome.type].name);
        }
    }
}

}  // namespace
}  // namespace kalderos
