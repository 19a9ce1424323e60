// The rules since randomization: the reason of each impossible number, and which numbers could predate it.
#include <gtest/gtest.h>

#include "kalderos/kalderos.h"
#include "ssn/current_rules.h"
#include "ssn/ssn_rules.h"

namespace kalderos {
namespace {

using ssn::SsnReason;
constexpr RuleSet kCurrent = RuleSet::Current;

// Where two rules apply, the one applied first names the reason, in the classic rules' order.
TEST(CurrentRules, FirstRuleThatDecides) {
    const struct {
        SsnNumber number;
        SsnReason reason;
    } rows[] = {
        {{0, 12, 3456}, SsnReason::Area000},     {{900, 0, 0}, SsnReason::Area900To999},
        {{999, 99, 9999}, SsnReason::Area900To999}, {{666, 0, 1}, SsnReason::Group00},
        {{666, 1, 0}, SsnReason::Serial0000},    {{666, 12, 3456}, SsnReason::Area666},
        {{123, 0, 4567}, SsnReason::Group00},    {{123, 45, 0}, SsnReason::Serial0000},
        {{78, 5, 1120}, SsnReason::KnownInvalid}, {{586, 80, 1}, SsnReason::KnownInvalid},
        // published misused numbers the classic rules' list lacks, and their neighbours
        {{219, 9, 9999}, SsnReason::KnownInvalid}, {{457, 55, 5462}, SsnReason::KnownInvalid},
        {{219, 9, 9998}, SsnReason::Ok},         {{457, 56, 5462}, SsnReason::Ok},
        {{-12, 45, 6789}, SsnReason::Malformed}, {{1000, 1, 1}, SsnReason::Malformed},
        // valid: past the highest group, or in an area never assigned before
        {{123, 45, 6789}, SsnReason::Ok},        {{800, 1, 1}, SsnReason::Ok},
        {{734, 11, 1}, SsnReason::Ok},           {{899, 99, 9999}, SsnReason::Ok},
    };
    for (const auto& [number, reason] : rows) {
        EXPECT_EQ(ssn::ReasonName(ssn::ReasonFor(number, HighestGroupTable{}, kCurrent)), ssn::ReasonName(reason))
            << number.area << "-" << number.group << "-" << number.serial;
    }
}

// The June 2011 list gives area 001 11, 123 98, 772 02 and names no 734 or 800; the group file overlays it.
TEST(CurrentRules, CouldPredateAndConfirm) {
    const struct {
        int area;
        int group;
        bool predates;
        bool confirm;
    } rows[] = {
        {1, 11, true, true},    {1, 8, true, false},    {1, 13, false, false},  {123, 98, true, true},
        {123, 2, false, false}, {772, 2, true, true},   {772, 4, false, false}, {734, 1, false, false},
        {0, 1, false, false},   {1, 0, false, false},   {800, 10, true, true},  {800, 12, false, false},
        {5, 13, false, false},  {7, 99, true, true},
    };
    HighestGroupTable table;
    ssn::FillFromJune2011List(table);
    ReadGroupText("800 10\n005 0\n007 99\n", table);
    const ssn::MadeSsnRules rules(table, kCurrent);
    for (const auto& row : rows) {
        const ssn::FieldsJudged judged = rules.Rules().JudgeAs<kCurrent>(row.area, row.group, 1);
        const bool valid = judged.reason == SsnReason::Ok;
        EXPECT_EQ(ssn::CouldPredateRandomization(row.area, row.group, table), row.predates) << row.area << "-" << row.group;
        EXPECT_EQ(judged.issued_at_random, valid && !row.predates) << row.area << "-" << row.group;
        EXPECT_EQ(judged.marks_confirm, row.confirm) << row.area << "-" << row.group;
    }
}

// The classic rules' reasons less the two that randomization lifted, and with the two published numbers their
// list lacks, for every area and group; the list loop's forms give the plain functions' answers.
TEST(CurrentRules, ClassicReasonsLessTheLiftedOnes) {
    HighestGroupTable classic;
    FillFromBuiltinGroupList(classic);
    HighestGroupTable table;
    ssn::FillFromJune2011List(table);
    ReadGroupText("5 -1 6 100 7 99 8 0", table);
    const ssn::MadeSsnRules rules(table, kCurrent);
    for (std::int32_t area = 0; area < kAreaCount; ++area) {
        for (std::int32_t group = 0; group < 100; ++group) {
            for (const std::int32_t serial : {0, 1, 749, 1120, 5462, 6629, 7694, 9999}) {
                const SsnNumber number{area, group, serial};
                SsnReason expected = ssn::ReasonFor(area >= 773 && area <= 899 ? SsnNumber{1, group, serial} : number, classic,
                                                     RuleSet::Classic);
                if (expected == SsnReason::GroupNotIssued) expected = SsnReason::Ok;
                const bool added = (area == 219 && group == 9 && serial == 9999) || (area == 457 && group == 55 && serial == 5462);
                if (added) expected = SsnReason::KnownInvalid;
                ASSERT_EQ(ssn::ReasonName(ssn::ReasonFor(number, table, kCurrent)), ssn::ReasonName(expected)) << area << "-" << group << "-" << serial;
                const ssn::FieldsJudged judged = rules.Rules().JudgeAs<kCurrent>(area, group, serial);
                ASSERT_EQ(judged.reason, expected);
                // A valid number predates randomization or was issued at random; an invalid one neither.
                ASSERT_EQ(judged.issued_at_random,
                          expected == SsnReason::Ok && !ssn::CouldPredateRandomization(area, group, table))
                    << area << "-" << group;
            }
        }
    }
}

}  // namespace
}  // namespace kalderos
