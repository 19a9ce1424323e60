// Verdicts: the special ranges, zero fields, the known-invalid list and the issuance order of groups.
#include <gtest/gtest.h>

#include <string>

#include "kalderos/kalderos.h"
#include "ssn/rules.h"

namespace kalderos {
namespace {

HighestGroupTable Builtin() {
    HighestGroupTable table;
    FillFromBuiltinGroupList(table);
    return table;
}

SsnNumber Parsed(const std::string& text) {
    SsnNumber number;
    ParseSsn(text, number);
    return number;
}

TEST(JudgeSsn, WithTheBuiltinTable) {
    const struct {
        const char* number;
        SsnVerdict verdict;
    } cases[] = {
        {"800-00-0000", SsnVerdict::Unknown}, {"773-45-6789", SsnVerdict::Unknown}, {"899-99-9999", SsnVerdict::Unknown},
        {"772-70-0001", SsnVerdict::Valid},   {"772-72-0001", SsnVerdict::Invalid}, {"772-09-0001", SsnVerdict::Valid},
        {"772-02-0001", SsnVerdict::Invalid}, {"772-11-0001", SsnVerdict::Invalid}, {"900-01-0001", SsnVerdict::Invalid},
        {"000-12-3456", SsnVerdict::Invalid}, {"123-00-4567", SsnVerdict::Invalid}, {"123-45-0000", SsnVerdict::Invalid},
        {"123-45-6789", SsnVerdict::Invalid}, {"123-96-0001", SsnVerdict::Valid},   {"123-98-0001", SsnVerdict::Invalid},
        {"123-97-0001", SsnVerdict::Invalid}, {"001-06-0001", SsnVerdict::Valid},   {"001-04-0001", SsnVerdict::Valid},
        {"001-08-0001", SsnVerdict::Invalid}, {"001-98-0001", SsnVerdict::Valid},   {"001-09-0001", SsnVerdict::Valid},
        {"001-11-0001", SsnVerdict::Invalid}, {"734-01-0001", SsnVerdict::Valid},   {"734-98-0001", SsnVerdict::Valid},
        {"734-02-0001", SsnVerdict::Invalid}, {"734-11-0001", SsnVerdict::Invalid}, {"078-05-1120", SsnVerdict::Invalid},
        {"078-05-1121", SsnVerdict::Valid},   {"002-28-1852", SsnVerdict::Invalid}, {"212-09-7694", SsnVerdict::Invalid},
        {"212-09-9999", SsnVerdict::Invalid}, {"212-09-9998", SsnVerdict::Valid},   {"165-16-7999", SsnVerdict::Invalid},
        {"165-18-7999", SsnVerdict::Invalid}, {"165-20-7999", SsnVerdict::Invalid}, {"165-22-7999", SsnVerdict::Invalid},
        {"165-24-7999", SsnVerdict::Invalid}, {"165-26-7999", SsnVerdict::Valid},   {"550-19-1234", SsnVerdict::Invalid},
        {"550-21-0001", SsnVerdict::Valid},   {"586-19-0001", SsnVerdict::Invalid}, {"586-80-0001", SsnVerdict::Invalid},
        {"586-79-0001", SsnVerdict::Invalid}, {"586-99-0001", SsnVerdict::Invalid}, {"586-59-0001", SsnVerdict::Invalid},
        {"586-21-0001", SsnVerdict::Valid},   {"666-12-3456", SsnVerdict::Invalid}, {"666-01-0001", SsnVerdict::Invalid},
        {"-12-45-6789", SsnVerdict::Invalid}, {"-01-01-0001", SsnVerdict::Invalid},
    };
    const HighestGroupTable table = Builtin();
    for (const auto& c : cases) {
        EXPECT_EQ(JudgeSsn(Parsed(c.number), table), c.verdict) << c.number;
    }
}

TEST(JudgeSsn, HighestGroupsAGroupFileCanSet) {
    const struct {
        int area;
        std::int32_t highest;
        const char* number;
        SsnVerdict verdict;
    } cases[] = {
        {100, 100, "100-98-0001", SsnVerdict::Valid},  {100, 96, "100-98-0001", SsnVerdict::Invalid},
        {100, -1, "100-01-0001", SsnVerdict::Invalid}, {100, -1, "100-98-0001", SsnVerdict::Invalid},
        {100, -2, "100-01-0001", SsnVerdict::Valid},   {100, 0, "100-98-0001", SsnVerdict::Valid},
        {100, 0, "100-02-0001", SsnVerdict::Invalid},  {800, 12, "800-12-3456", SsnVerdict::Unknown},
        {900, 12, "900-12-3456", SsnVerdict::Invalid}, {100, 101, "100-99-0001", SsnVerdict::Valid},
        // The extremes keep the class their parity and sign give them, and compare as the values they are.
        {100, INT32_MIN, "100-01-0001", SsnVerdict::Valid},    {100, INT32_MIN, "100-98-0001", SsnVerdict::Valid},
        {100, INT32_MIN, "100-02-0001", SsnVerdict::Invalid},  {100, INT32_MIN, "100-11-0001", SsnVerdict::Invalid},
        {100, INT32_MIN + 1, "100-01-0001", SsnVerdict::Invalid}, {100, INT32_MIN + 1, "100-98-0001", SsnVerdict::Invalid},
        {100, INT32_MAX, "100-99-0001", SsnVerdict::Valid},    {100, INT32_MAX, "100-02-0001", SsnVerdict::Valid},
        {100, INT32_MAX - 1, "100-98-0001", SsnVerdict::Valid}, {100, INT32_MAX - 1, "100-11-0001", SsnVerdict::Invalid},
        {100, -1, "100-02-0001", SsnVerdict::Invalid},         {100, 0, "100-01-0001", SsnVerdict::Valid},
    };
    for (const auto& c : cases) {
        HighestGroupTable table = Builtin();
        table.group[static_cast<std::size_t>(c.area)] = c.highest;
        EXPECT_EQ(JudgeSsn(Parsed(c.number), table), c.verdict) << c.number << " against " << c.highest;
    }
}

TEST(JudgeSsn, NoVerdictCarriesOver) {
    const HighestGroupTable table = Builtin();
    SsnNumber number;
    ParseSsn("800-12-3456", number);
    EXPECT_EQ(JudgeSsn(number, table), SsnVerdict::Unknown);
    ParseSsn("123-96-0001", number);
    EXPECT_EQ(JudgeSsn(number, table), SsnVerdict::Valid);
}

TEST(ClassifyGroup, EveryIntegerHasOneClass) {
    using ssn::GroupOrderClass;
    const struct {
        std::int32_t group;
        GroupOrderClass order;
    } cases[] = {
        {1, GroupOrderClass::FirstOdd},    {9, GroupOrderClass::FirstOdd},     {-1, GroupOrderClass::FirstOdd},
        {10, GroupOrderClass::SecondEven}, {98, GroupOrderClass::SecondEven},  {100, GroupOrderClass::SecondEven},
        {0, GroupOrderClass::ThirdEven},   {8, GroupOrderClass::ThirdEven},    {-2, GroupOrderClass::ThirdEven},
        {11, GroupOrderClass::FourthOdd},  {99, GroupOrderClass::FourthOdd},   {INT32_MAX, GroupOrderClass::FourthOdd},
        {INT32_MIN, GroupOrderClass::ThirdEven},
    };
    for (const auto& c : cases) EXPECT_EQ(ssn::ClassifyGroup(c.group), c.order) << c.group;
}

TEST(IsKnownInvalid, WholeEntriesAndNeighbours) {
    EXPECT_TRUE(ssn::IsKnownInvalid(62, 36, 749, kalderos::RuleSet::Classic));
    EXPECT_FALSE(ssn::IsKnownInvalid(62, 36, 750, kalderos::RuleSet::Classic));
    EXPECT_TRUE(ssn::IsKnownInvalid(586, 79, 1, kalderos::RuleSet::Classic));
    EXPECT_FALSE(ssn::IsKnownInvalid(586, 78, 1, kalderos::RuleSet::Classic));
    EXPECT_TRUE(ssn::IsKnownInvalid(666, 0, 0, kalderos::RuleSet::Classic));
    EXPECT_FALSE(ssn::IsKnownInvalid(667, 1, 1, kalderos::RuleSet::Classic));
    EXPECT_FALSE(ssn::IsKnownInvalid(-12, 45, 6789, kalderos::RuleSet::Classic));
    EXPECT_FALSE(ssn::IsKnownInvalid(5000, 1, 1, kalderos::RuleSet::Classic));
    // Only the current rules' list holds these two.
    EXPECT_FALSE(ssn::IsKnownInvalid(219, 9, 9999, kalderos::RuleSet::Classic));
    EXPECT_TRUE(ssn::IsKnownInvalid(219, 9, 9999, RuleSet::Current));
    EXPECT_FALSE(ssn::IsKnownInvalid(457, 55, 5462, kalderos::RuleSet::Classic));
    EXPECT_TRUE(ssn::IsKnownInvalid(457, 55, 5462, RuleSet::Current));
    EXPECT_TRUE(ssn::IsKnownInvalid(666, 1, 1, RuleSet::Current));
}

}  // namespace
}  // namespace kalderos
