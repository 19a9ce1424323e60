// The help screen's pause on a real terminal: which keys end the run, which go on, and the terminal left as found.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include "common/screen_text.h"
#include "pty_session.h"

namespace kalderos::test {
namespace {

// An option letter the program does not know brings up the help screen.
const std::vector<std::string> kBadOption = {KALDEROS_BINARY, "-z"};

std::string PageOneAndPause() { return ExpectedBanner(5) + HelpPageOne() + PagerPrompt(); }

// Compares every setting a key read could leave changed.
void ExpectSameSettings(const termios& after, const termios& before) {
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_oflag, before.c_oflag);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(0, std::memcmp(after.c_cc, before.c_cc, sizeof before.c_cc)) << "control characters changed";
    EXPECT_EQ(cfgetispeed(&after), cfgetispeed(&before));
    EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&before));
}

struct PagerKey {
    std::string name;
    std::string keys;  // what the terminal receives for the key
    bool goes_on;      // page 2 follows; otherwise the run ends at the pause
};

void PrintTo(const PagerKey& row, std::ostream* out) { *out << row.name; }

class PagerAnswer : public ::testing::TestWithParam<PagerKey> {};

TEST_P(PagerAnswer, EndsOrGoesOnAndRestoresTheTerminal) {
    const PagerKey& row = GetParam();
    PtySession session(kBadOption);
    ASSERT_TRUE(session.WaitFor(PagerPrompt())) << Visible(session.Screen());
    ASSERT_TRUE(session.WaitForKeyRead()) << Visible(session.Screen());
    session.Type(row.keys);
    const PtyEnd end = session.Finish();

    ASSERT_FALSE(end.timed_out) << Visible(end.screen);
    EXPECT_EQ(end.signal, 0);
    EXPECT_EQ(end.exit_code, 5);
    // The key is not echoed, and nothing but page 2 and the banner again follows the pause.
    const std::string rest = row.goes_on ? PagerContinues() + HelpPageTwo() : "";
    EXPECT_EQ(Visible(end.screen), Visible(PageOneAndPause() + rest));
    ExpectSameSettings(session.Settings(), session.InitialSettings());
    // Every byte of a key's sequence is taken, so none is left for whoever reads the terminal next.
    EXPECT_EQ(Visible(session.UnreadInput()), "");
}

INSTANTIATE_TEST_SUITE_P(Keys, PagerAnswer,
                         ::testing::Values(PagerKey{"x", "x", false}, PagerKey{"X", "X", false},
                                           PagerKey{"Escape", "\x1b", false}, PagerKey{"CtrlC", "\x03", false},
                                           PagerKey{"Return", "\r", true}, PagerKey{"a", "a", true},
                                           PagerKey{"F1", "\x1bOP", true},
                                           PagerKey{"CursorUp", "\x1b[A", true},
                                           PagerKey{"NonAsciiLetter", "\xc3\xa9", true}),
                         [](const auto& info) { return info.param.name; });

// Keys typed while page 1 was still coming out would otherwise answer a question not yet asked.
class TypedBeforeThePause : public ::testing::TestWithParam<std::string> {};

TEST_P(TypedBeforeThePause, IsDiscarded) {
    PtySession session(kBadOption, GetParam());
    ASSERT_TRUE(session.WaitFor(PagerPrompt())) << Visible(session.Screen());
    ASSERT_TRUE(session.WaitForKeyRead()) << "the typed keys answered the pause: " << Visible(session.Screen());
    session.Type("\r");
    const PtyEnd end = session.Finish();

    ASSERT_FALSE(end.timed_out);
    EXPECT_EQ(end.exit_code, 5);
    EXPECT_EQ(Visible(end.screen), Visible(PageOneAndPause() + PagerContinues() + HelpPageTwo()));
}

INSTANTIATE_TEST_SUITE_P(Keys, TypedBeforeThePause, ::testing::Values("x", "X\r", "x\rx"),
                         [](const auto& info) { return "row" + std::to_string(info.index); });

// A run ended from outside while the pause waits must not leave the terminal without echo and line editing.
class SignalAtThePause : public ::testing::TestWithParam<int> {};

TEST_P(SignalAtThePause, RestoresTheTerminal) {
    PtySession session(kBadOption);
    ASSERT_TRUE(session.WaitFor(PagerPrompt()));
    ASSERT_TRUE(session.WaitForKeyRead());
    session.SendSignal(GetParam());
    const PtyEnd end = session.Finish();

    ASSERT_FALSE(end.timed_out);
    EXPECT_EQ(end.signal, GetParam());
    EXPECT_EQ(Visible(end.screen), Visible(PageOneAndPause()));
    ExpectSameSettings(session.Settings(), session.InitialSettings());
}

INSTANTIATE_TEST_SUITE_P(Signals, SignalAtThePause, ::testing::Values(SIGTERM, SIGHUP),
                         [](const auto& info) { return info.param == SIGTERM ? "SIGTERM" : "SIGHUP"; });

}  // namespace
}  // namespace kalderos::test
