// The built-in tables entry by entry against their transcription in tests/data, through the library and through
// the one-pass checker and the classifier the list loops use, which derive tables of their own from them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/transcribed_tables.h"
#include "kalderos/kalderos.h"
#include "common/judged_line.h"

namespace kalderos {
namespace {

using test::Transcribed;

HighestGroupTable Builtin() {
    HighestGroupTable table;
    FillFromBuiltinGroupList(table);
    return table;
}

TEST(BuiltinTables, EveryAreaHasItsHighestGroupAndName) {
    const HighestGroupTable table = Builtin();
    int known = 0;
    for (std::size_t area = 0; area < 1000; ++area) {
        EXPECT_EQ(table.group[area], Transcribed().highest[area]) << "area " << area;
        EXPECT_EQ(AreaName(static_cast<std::int32_t>(area)), Transcribed().names[area]) << "area " << area;
        known += Transcribed().highest[area] != 0;
    }
    EXPECT_EQ(known, 755);
    EXPECT_EQ(Transcribed().known_invalid.size(), 18u);
}

void ExpectLines(const HighestGroupTable& table, const std::vector<test::SsnProbe>& probes) {
    const ssn::MadeSsnRules rules(table, kalderos::RuleSet::Classic);
    ssn::SsnJudge judge(rules);
    char line[kMaxResultLineLength];
    for (const test::SsnProbe& probe : probes) {
        SsnNumber number;
        ParseSsn(probe.text, number);
        EXPECT_EQ(std::string(line, FormatResultLine(number, JudgeSsn(number, table), table, line)), probe.line);
        EXPECT_EQ(test::JudgedLine(judge, probe.text + "\n"), probe.line);
    }
}

TEST(BuiltinTables, ResultLinesAroundEveryHighestGroupAndKnownInvalidNumber) {
    ExpectLines(Builtin(), test::SsnTableProbes());
    HighestGroupTable every_group_issued;
    every_group_issued.group.fill(99);
    ExpectLines(every_group_issued, test::KnownInvalidProbesWhereEveryGroupWasIssued());
}

TEST(BuiltinTables, CardTypeOfEveryFourDigitStart) {
    const auto probes = test::CardTableProbes();
    EXPECT_EQ(Transcribed().card_types.size(), 22u);
    for (const test::CardProbe& probe : probes) {
        CardKind kind;
        EXPECT_EQ(ClassifyCard(probe.number, kind).result, probe.result) << probe.number;
        EXPECT_EQ(kind.View(), probe.kind) << probe.number;
    }
}

}  // namespace
}  // namespace kalderos
