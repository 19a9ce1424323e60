// The console dialogue on a real terminal: prompts shown before each wait, echoed answers, Ctrl-C at the prompt.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/screen_text.h"
#include "pty_session.h"

namespace kalderos::test {
namespace {

// Keys are typed only once the text they answer is on the screen.
struct Step {
    std::string wait_for;
    std::string keys;
};

struct ConsoleRow {
    std::string name;
    std::vector<std::string> args;
    std::vector<Step> steps;
    std::string screen;  // after the start-up banner; typed keys appear as the terminal echoes them
    int exit_code;
    bool banner = true;  // the record formats print none
};

void PrintTo(const ConsoleRow& row, std::ostream* out) { *out << row.name; }

const std::string kPrompts = ConsolePrompts();
const std::string kFirstLine = "SSN: 123-45-6789   New York              VALID=NO\n";
const std::string kCardLine = "\n        VISA |     4111111111111111";
const std::string kSsnHeader = "input\twell_formed\tarea\tgroup\tserial\tplace\tverdict\tconfirm\treason\tissued_after\tissued_by\n";
const std::string kRecord = "123-96-0001\ttrue\t123\t96\t0001\tNew York\tvalid\ttrue\tok\t2007-07\t2011-06\n";

std::vector<ConsoleRow> Rows() {
    return {
        {"NumberThenEmptyLine", {}, {{kPrompts, "123-45-6789\r"}, {kPrompts, "\r"}},
         "\n" + kPrompts + "123-45-6789\n" + kFirstLine + kPrompts + "\n", 0},
        {"SingleCharacterEnds", {}, {{kPrompts, "7\r"}}, "\n" + kPrompts + "7\n", 0},
        {"CtrlDEnds", {}, {{kPrompts, "123-45-6789\r"}, {kPrompts, "\x04"}},
         "\n" + kPrompts + "123-45-6789\n" + kFirstLine + kPrompts, 0},
        // The terminal shows ^C; the run ends at once with what was printed before kept.
        {"CtrlCAtTheFirstPrompt", {}, {{kPrompts, "\x03"}}, "\n" + kPrompts + "^C", 2},
        {"CtrlCKeepsEarlierResults", {}, {{kPrompts, "123-45-6789\r"}, {kPrompts, "\x03"}},
         "\n" + kPrompts + "123-45-6789\n" + kFirstLine + kPrompts + "^C", 2},
        {"CtrlCInsideALine", {}, {{kPrompts, "123"}, {"123", "\x03"}}, "\n" + kPrompts + "123^C", 2},
        {"CardMode", {"-C"}, {{kPrompts, "4111111111111111\r"}, {kPrompts, "1234\r"}, {kPrompts, "\r"}},
         kPrompts + "4111111111111111\n" + kCardLine + kPrompts + "1234\n" + kPrompts + "\n\n", 0},
        {"CardModeCtrlC", {"-C"}, {{kPrompts, "4111111111111111\r"}, {kPrompts, "\x03"}},
         kPrompts + "4111111111111111\n" + kCardLine + kPrompts + "^C", 2},
        // At a terminal a long option keeps the prompts; a number given keeps the console shut.
        {"QuietKeepsPrompts", {"--quiet"}, {{kPrompts, "123-45-6789\r"}, {kPrompts, "\r"}},
         kPrompts + "123-45-6789\n" + kFirstLine + kPrompts + "\n" + kOneNotIssued, 0, false},
        {"QuietNumberAfterAnOptionNoPrompt", {"--quiet", "-C", "4111111111111111"}, {}, kCardLine + "\n", 0, false},
        // Records: the header before the first read, each record as soon as its line is typed.
        {"TsvRecordsAsLinesAreTyped", {"--format=tsv"}, {{kSsnHeader, "123-96-0001\r"}, {kRecord, "\x04"}},
         kSsnHeader + "123-96-0001\n" + kRecord, 0, false},
        {"TsvLineThenCtrlC", {"--no-header", "--format=tsv"}, {{"", "123-96-0001\r"}, {kRecord, "\x03"}},
         "123-96-0001\n" + kRecord + "^C", 2, false},
        {"JsonlLineThenCtrlC", {"--format=jsonl"}, {{"", "7\r"}, {"\"issued_by\":null}\n", "\x03"}},
         "7\n" R"({"input":"7","well_formed":false,"area":null,"group":null,"serial":null,"place":null,)"
         R"("verdict":"invalid","confirm":false,"reason":"malformed","issued_after":null,"issued_by":null})" "\n^C", 2, false},
    };
}

class ConsoleOnTerminal : public ::testing::TestWithParam<ConsoleRow> {};

TEST_P(ConsoleOnTerminal, ShowsPromptsAndEnds) {
    const ConsoleRow& row = GetParam();
    std::vector<std::string> command = {KALDEROS_BINARY};
    command.insert(command.end(), row.args.begin(), row.args.end());
    PtySession session(command);
    for (const Step& step : row.steps) {
        // The prompt must be visible while the program waits for the answer.
        ASSERT_TRUE(session.WaitFor(step.wait_for)) << "never showed " << Visible(step.wait_for) << " in\n"
                                                    << Visible(session.Screen());
        session.Type(step.keys);
    }
    const PtyEnd end = session.Finish();

    ASSERT_FALSE(end.timed_out) << Visible(end.screen);
    EXPECT_EQ(end.signal, 0);
    EXPECT_EQ(end.exit_code, row.exit_code);
    EXPECT_EQ(Visible(end.screen), Visible((row.banner ? ExpectedBanner(5) : "") + row.screen));
}

INSTANTIATE_TEST_SUITE_P(Table, ConsoleOnTerminal, ::testing::ValuesIn(Rows()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace kalderos::test
