// The judge and the text line's printer write the library's own result lines, whatever the shape of the text,
// the number carried from the text before, the group table, or the bytes that follow a text in the buffer; the
// strict reading takes exactly the two usual shapes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "kalderos/kalderos.h"
#include "common/judged_line.h"
#include "ssn/ssn_judgement.h"

namespace kalderos {
namespace {

// ParseSsn, JudgeSsn and FormatResultLine one after another on a carried number, as the library documents them.
class LibrarySteps {
public:
    explicit LibrarySteps(const HighestGroupTable& table) : table_(table) {}

    std::string Check(std::string_view text) {
        ParseSsn(text, number_);
        char line[kMaxResultLineLength];
        return {line, FormatResultLine(number_, JudgeSsn(number_, table_), table_, line)};
    }

private:
    const HighestGroupTable& table_;
    SsnNumber number_;
};

using test::JudgedLine;

HighestGroupTable BuiltinTable() {
    HighestGroupTable table;
    FillFromBuiltinGroupList(table);
    return table;
}

// Values only a group file brings: odd classes, out of range, negative, the extremes.
HighestGroupTable UnusualTable() {
    HighestGroupTable table = BuiltinTable();
    const std::int32_t values[] = {0, 1, 9, 10, 98, 2, 8, 11, 99, 100, -1, -2, INT32_MIN, INT32_MAX, 7, 12};
    for (std::size_t area = 0; area < table.group.size(); area += 3) table.group[area] = values[area % 16];
    return table;
}

const std::vector<std::string> kOddAndUsualTexts = {
    "123-45-6789\n", "123456789\n", "078-05-1120\n", "123-45-6789", "123456789", "12345678\n", "123-45-678",
    "123-45-678\n", "000-12-3456\n", "666-12-3456\n", "773-12-3456\n", "899-99-9999\n", "900-01-0001\n",
    "734-01-0001\n", "772-01-0001\n", "123-00-6789\n", "123-45-0000\n", " 123-45-6789\n", "-12-45-6789\n",
    "123 45 6789\n", "1234567890\n", "123-45-67890\n", "123-456789\n", "12-345-6789\n", "123--45-6789\n",
    "\n", "", "abc\n", std::string("123\0" "45-6789\n", 12), std::string("12345678\0" "9\n", 11),
    "002-28-1852\n", "212-09-7694\n", "212-09-9999\n", "586-79-0001\n", "586-19-0001\n", "165-24-7999\n",
    "008-92-0001\n", "12\n", "5\n", "123-4", "987-65-4321 trailing words\n", "12345678x\n", "123-4x-6789\n",
    "123-96-0001\n", "123960001\n", "123-96-0000\n", "123 96 0001\n", "123 96 0000\n", "123-96-0001x",
    "627-15-0001\n", "123-4556789\n", std::string("123-45\0" "6789\n", 12), "123-45-6789-\n", "123-45.6789\n",
};

TEST(SsnJudge, SameLinesAsTheLibraryStepsWhateverTheShape) {
    const std::vector<std::string>& texts = kOddAndUsualTexts;
    for (const HighestGroupTable& table : {BuiltinTable(), UnusualTable()}) {
        for (const char after : {'\0', '7', '-', '\n'}) {
            LibrarySteps library(table);
            const ssn::MadeSsnRules rules(table, kalderos::RuleSet::Classic);
            ssn::SsnJudge judge(rules);
            for (const std::string& text : texts) {
                const std::string expected = library.Check(text);
                EXPECT_EQ(JudgedLine(judge, text, after), expected) << text << " followed by " << after;
            }
        }
    }
}

// What another output takes from the judge: the number, the verdict and the CONFIRM mark, on their own.
TEST(SsnJudge, JudgementsAreTheLibrarysWhateverTheShape) {
    for (const HighestGroupTable& table : {BuiltinTable(), UnusualTable()}) {
        const ssn::MadeSsnRules rules(table, kalderos::RuleSet::Classic);
        ssn::SsnJudge judge(rules);
        SsnNumber number;
        for (const std::string& text : kOddAndUsualTexts) {
            ParseSsn(text, number);
            char line[kMaxResultLineLength];
            const std::string_view expected_line(line, FormatResultLine(number, JudgeSsn(number, table), table, line));
            std::string buffer(text);
            buffer.append(bytes::kReadAhead, '7');
            const ssn::SsnJudgement judged = judge.WithCarriedAs<RuleSet::Classic>(
                bytes::Readable::WithRoomBehind(buffer.data(), text.size()),
                [](const ssn::SsnJudgement& judgement) { return judgement; });
            EXPECT_EQ(judged.number.area, number.area) << text;
            EXPECT_EQ(judged.number.group, number.group) << text;
            EXPECT_EQ(judged.number.serial, number.serial) << text;
            EXPECT_EQ(judged.verdict, JudgeSsn(number, table)) << text;
            EXPECT_EQ(judged.marks_confirm, expected_line.find("CONFIRM") != std::string_view::npos) << text;
        }
    }
}

TEST(SsnJudge, EveryAreaGroupAndSpecialSerialOfTheUsualShapes) {
    for (const HighestGroupTable& table : {BuiltinTable(), UnusualTable()}) {
        LibrarySteps library(table);
        const ssn::MadeSsnRules rules(table, kalderos::RuleSet::Classic);
        ssn::SsnJudge judge(rules);
        for (int area = 0; area < kAreaCount; ++area) {
            for (int group = 0; group < 100; ++group) {
                for (const int serial : {0, 1, 749, 1852, 7999, 9999}) {
                    char text[16];
                    const bool dashed = (area + group + serial) % 2 == 0;
                    const int size = std::snprintf(text, sizeof text, dashed ? "%03d-%02d-%04d\n" : "%03d%02d%04d\n",
                                                   area, group, serial);
                    const std::string_view view(text, static_cast<std::size_t>(size));
                    ASSERT_EQ(JudgedLine(judge, view, '9'), library.Check(view)) << text;
                }
            }
        }
    }
}

// The strict reading, plainly: blanks trimmed, then nine digits, or three, a dash, two, a dash and four, or the
// same with blanks for both dashes.
bool PlainlyWellFormed(std::string_view text) {
    while (!text.empty() && std::strchr(" \t\n\v\f\r", text.front()) != nullptr) text.remove_prefix(1);
    while (!text.empty() && std::strchr(" \t\n\v\f\r", text.back()) != nullptr) text.remove_suffix(1);
    for (const std::string_view pattern : {"ddddddddd", "ddd-dd-dddd", "ddd dd dddd"}) {
        bool fits = text.size() == pattern.size();
        for (std::size_t i = 0; fits && i < text.size(); ++i) {
            const bool digit = text[i] >= '0' && text[i] <= '9';
            fits = pattern[i] == 'd' ? digit : text[i] == pattern[i];
        }
        if (fits) return true;
    }
    return false;
}

ssn::SsnJudgement JudgeStrictly(const ssn::SsnJudge& judge, std::string_view text, char after) {
    static std::string buffer;
    buffer.assign(text);
    buffer.append(bytes::kReadAhead, after);
    return judge.JudgeAs<RuleSet::Classic>(bytes::Readable::WithRoomBehind(buffer.data(), text.size()));
}

TEST(SsnJudge, StrictReadingTakesExactlyTheUsualShapes) {
    const HighestGroupTable table = BuiltinTable();
    const ssn::MadeSsnRules rules(table, kalderos::RuleSet::Classic);
    const ssn::SsnJudge judge(rules);
    const struct {
        const char* text;
        bool well_formed;
    } rows[] = {
        {"123-45-6789", true},   {"123456789", true},     {" 123-45-6789\t", true}, {"\v123456789 \r", true},
        {"123-45--789", false},  {" 123-45--789", false}, {"123-45-678", false},    {"1234567890", false},
        {"123-456789", false},   {"12345678", false},     {"", false},              {"   ", false},
        {"123-45-6789x", false}, {"x123456789", false},   {"123 45 6789", true},    {"-12-45-6789", false},
        {"12a456789", false},    {"123-45-67 9", false},  {"123_45-6789", false},   {"1234-5-6789", false},
        {" 123 45 6789\r", true}, {"123 45-6789", false},  {"123-45 6789", false},   {"123 45 678 ", false},
        {"123\t45\t6789", false}, {"123  45 6789", false}, {"1 23 45 6789", false},  {"123 456789", false},
    };
    for (const auto& row : rows) {
        for (const char after : {'\0', '7', '-'}) {
            const ssn::SsnJudgement judged = JudgeStrictly(judge, row.text, after);
            EXPECT_EQ(judged.WellFormed(), row.well_formed) << row.text << " followed by " << after;
            EXPECT_EQ(judged.WellFormed(), PlainlyWellFormed(row.text)) << row.text;
        }
    }
}

// Nothing but blanks is empty, not malformed; the reason gives the same verdict.
TEST(SsnJudge, StrictReadingFindsBlankTextsEmpty) {
    const HighestGroupTable table = BuiltinTable();
    const ssn::MadeSsnRules rules(table, kalderos::RuleSet::Classic);
    const ssn::SsnJudge judge(rules);
    for (const char* text : {"", " ", "\t", "  \r", "           ", "\v\f                  \t"}) {
        const ssn::SsnJudgement judged = JudgeStrictly(judge, text, '7');
        EXPECT_EQ(ssn::ReasonName(judged.reason), "empty") << "[" << text << "]";
        EXPECT_FALSE(judged.WellFormed()) << "[" << text << "]";
        EXPECT_TRUE(judged.Fails()) << "[" << text << "]";
    }
    for (const char* text : {"x", " - ", "123 45 678", "\t123456789 0"}) {
        EXPECT_EQ(ssn::ReasonName(JudgeStrictly(judge, text, '7').reason), "malformed") << "[" << text << "]";
    }
}

// On random texts of digits, dashes and blanks the strict reading is the plain one, and a well-formed text's
// number and reason are the library's for the digits it states.
TEST(SsnJudge, StrictReadingOfRandomTexts) {
    const HighestGroupTable table = BuiltinTable();
    const ssn::MadeSsnRules rules(table, kalderos::RuleSet::Classic);
    const ssn::SsnJudge judge(rules);
    std::mt19937 random(18);
    for (int i = 0; i < 300000; ++i) {
        std::string text;
        for (int n = std::uniform_int_distribution<int>(7, 14)(random); n > 0; --n) {
            text += "0123456789012345678901234567890123456789---- \tx"[std::uniform_int_distribution<int>(0, 46)(random)];
        }
        const ssn::SsnJudgement judged = JudgeStrictly(judge, text, '5');
        ASSERT_EQ(judged.WellFormed(), PlainlyWellFormed(text)) << text;
        if (!judged.WellFormed()) continue;
        SsnNumber number;
        ParseSsn(std::string_view(judged.digits, 11), number);
        ASSERT_EQ(judged.number.area, number.area) << text;
        ASSERT_EQ(judged.number.group, number.group) << text;
        ASSERT_EQ(judged.number.serial, number.serial) << text;
        ASSERT_EQ(judged.reason, ssn::ReasonFor(number, table, kalderos::RuleSet::Classic)) << text;
    }
}

}  // namespace
}  // namespace kalderos
