// The rules since randomization: the reason of each impossible number, and which numbers could predate it.
#include <gtest/gtest.h>

#include <tuple>

#include "kalderos/kalderos.h"
#include "ssn/current_rules.h"

namespace kalderos {
namespace {

using ssn::SsnReason;

HighestGroupTable June2011() {
    HighestGroupTable table;
    ssn::FillFromJune2011List(table);
    return table;
}

// Where two rules apply, the one applied first names the reason, in the same order as the classic rules.
TEST(CurrentRules, FirstRuleThatDecides) {
    const struct {
        SsnNumber number;
        SsnReason reason;
    } rows[] = {
        {{0, 0, 0}, SsnReason::Area000},         {{0, 12, 3456}, SsnReason::Area000},
        {{900, 0, 0}, SsnReason::Area900To999},  {{999, 99, 9999}, SsnReason::Area900To999},
        {{666, 0, 1}, SsnReason::Group00},       {{666, 1, 0}, SsnReason::Serial0000},
        {{666, 12, 3456}, SsnReason::Area666},   {{123, 0, 4567}, SsnReason::Group00},
        {{123, 45, 0}, SsnReason::Serial0000},   {{78, 5, 1120}, SsnReason::KnownInvalid},
        {{212, 9, 9999}, SsnReason::KnownInvalid}, {{586, 80, 1}, SsnReason::KnownInvalid},
        {{550, 19, 1234}, SsnReason::KnownInvalid}, {{-12, 45, 6789}, SsnReason::Malformed},
        {{1000, 1, 1}, SsnReason::Malformed},
        // valid whatever the lists say: after the highest group, areas never assigned before
        {{78, 5, 1121}, SsnReason::Ok},          {{123, 45, 6789}, SsnReason::Ok},
        {{773, 45, 6789}, SsnReason::Ok},        {{800, 1, 1}, SsnReason::Ok},
        {{899, 99, 9999}, SsnReason::Ok},        {{734, 11, 1}, SsnReason::Ok},
        {{1, 1, 1}, SsnReason::Ok},              {{772, 99, 9999}, SsnReason::Ok},
    };
    for (const auto& [number, reason] : rows) {
        EXPECT_EQ(ssn::ReasonName(ssn::CurrentReasonFor(number)), ssn::ReasonName(reason))
            << number.area << "-" << number.group << "-" << number.serial;
    }
}

// The June 2011 list gives area 001 11, area 123 98, area 772 02 and names none for 734 and 800.
TEST(CurrentRules, CouldPredateRandomization) {
    const struct {
        int area;
        int group;
        bool predates;
    } rows[] = {
        {1, 11, true},   {1, 8, true},    {1, 1, true},    {1, 13, false},  {123, 98, true},  {123, 2, false},
        {772, 2, true},  {772, 98, true}, {772, 4, false}, {772, 11, false}, {734, 1, false}, {800, 10, false},
        {0, 1, false},   {1, 0, false},
    };
    const HighestGroupTable table = June2011();
    const ssn::RandomizationCheck check(table);
    for (const auto& row : rows) {
        EXPECT_EQ(ssn::CouldPredateRandomization(row.area, row.group, table), row.predates) << row.area << "-" << row.group;
        EXPECT_EQ(check.CouldPredate(row.area, row.group), row.predates) << row.area << "-" << row.group;
    }
}

// A group file overlays the list: the areas it names take its values, 0 among them.
TEST(CurrentRules, GroupFileOverlaysTheList) {
    HighestGroupTable table = June2011();
    ReadGroupText("001 13\n800 10\n123 0\n", table);
    const ssn::RandomizationCheck check(table);
    for (const auto& [area, group, predates] : {std::tuple{1, 13, true}, {1, 15, false}, {800, 10, true},
                                                {800, 12, false}, {123, 10, false}, {772, 2, true}}) {
        EXPECT_EQ(ssn::CouldPredateRandomization(area, group, table), predates) << area << "-" << group;
        EXPECT_EQ(check.CouldPredate(area, group), predates) << area << "-" << group;
    }
    EXPECT_TRUE(check.Confirms(800, 10, SsnReason::Ok));
    EXPECT_FALSE(check.Confirms(1, 11, SsnReason::Ok));
}

TEST(CurrentRules, ConfirmWantsTheHighestGroupOfAValidNumber) {
    const HighestGroupTable table = June2011();
    const ssn::RandomizationCheck check(table);
    const struct {
        SsnNumber number;
        bool confirm;
    } rows[] = {
        {{1, 11, 1}, true}, {{772, 2, 9999}, true}, {{1, 11, 0}, false}, {{1, 9, 1}, false},
        {{734, 0, 1}, false}, {{800, 0, 0}, false}, {{666, 0, 1}, false},
    };
    for (const auto& [number, confirm] : rows) {
        const SsnReason reason = ssn::CurrentReasonFor(number);
        EXPECT_EQ(ssn::CurrentConfirm(number.area, number.group, reason, table), confirm) << number.area << "-" << number.group;
        EXPECT_EQ(check.Confirms(number.area, number.group, reason), confirm) << number.area << "-" << number.group;
    }
}

// The classic rules' reasons, less the two that randomization lifted, for every area, group and a few serials;
// the list loop's form of each test gives the plain function's answer.
TEST(CurrentRules, ClassicReasonsLessTheLiftedOnes) {
    HighestGroupTable classic;
    FillFromBuiltinGroupList(classic);
    HighestGroupTable table = June2011();
    ReadGroupText("5 -1 6 100 7 99 8 0", table);
    const ssn::RandomizationCheck check(table);
    for (std::int32_t area = 0; area < kAreaCount; ++area) {
        for (std::int32_t group = 0; group < 100; ++group) {
            ASSERT_EQ(check.CouldPredate(area, group), ssn::CouldPredateRandomization(area, group, table)) << area << "-" << group;
            for (const std::int32_t serial : {0, 1, 749, 1120, 6629, 7694, 9999}) {
                const SsnNumber number{area, group, serial};
                SsnReason expected = ssn::ReasonFor(number, classic);
                if (expected == SsnReason::GroupNotIssued || expected == SsnReason::AreaAfter2011) expected = SsnReason::Ok;
                if (area >= 773 && area <= 899 && group == 0) expected = SsnReason::Group00;
                if (area >= 773 && area <= 899 && group != 0 && serial == 0) expected = SsnReason::Serial0000;
                ASSERT_EQ(ssn::ReasonName(ssn::CurrentReasonFor(number)), ssn::ReasonName(expected))
                    << area << "-" << group << "-" << serial;
                ASSERT_EQ(ssn::CurrentFieldReason(area, group, serial), ssn::CurrentReasonFor(number));
            }
        }
    }
}

}  // namespace
}  // namespace kalderos
