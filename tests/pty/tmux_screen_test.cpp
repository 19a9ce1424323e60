// What a person sees in an 80x24 terminal emulator: the banner's frame, the pause, page 2, a console session.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/screen_text.h"
#include "cp437.h"
#include "tmux_pane.h"

namespace kalderos::test {
namespace {

std::vector<std::string> CommandInPane(const std::vector<std::string>& args) {
    std::vector<std::string> command = {KALDEROS_BINARY};
    command.insert(command.end(), args.begin(), args.end());
    return command;
}

// The frame is drawn as a code-page-437 console draws it; a UTF-8 terminal alone would show other glyphs.
std::vector<std::string> ScreenAfter(const std::string& stream) { return RowsOnScreen(Cp437ToUtf8(stream)); }

std::string Shown(const std::vector<std::string>& rows) {
    std::string text;
    for (const std::string& row : rows) text += "|" + row + "\n";
    return text;
}

// Waits for the screen that `stream` leaves behind; when it never comes, shows both screens.
bool ScreenShows(const TmuxPane& pane, const std::string& stream) {
    const std::vector<std::string> expected = ScreenAfter(stream);
    if (pane.WaitForScreen(expected)) return true;
    EXPECT_EQ(Shown(pane.Screen()), Shown(expected));
    return false;
}

class TerminalScreen : public ::testing::Test {
protected:
    void SetUp() override {
        if (!TmuxPane::Available()) GTEST_SKIP() << "tmux is not installed";
    }
};

TEST_F(TerminalScreen, PauseAnsweredWithReturnShowsPageTwo) {
    TmuxPane pane(CommandInPane({"-z"}));
    std::string stream = ExpectedBanner(5) + HelpPageOne() + PagerPrompt();
    ASSERT_TRUE(ScreenShows(pane, stream));
    ASSERT_TRUE(pane.WaitForKeyRead());
    pane.Press("Enter");
    // The screen clear and the filler lines leave the banner again at the top, page 2 under it.
    stream += PagerContinues() + HelpPageTwo();
    EXPECT_TRUE(ScreenShows(pane, stream));
    EXPECT_EQ(pane.WaitForExit(), 5);
}

TEST_F(TerminalScreen, ConsoleSessionShowsResultsUnderTheBanner) {
    TmuxPane pane(CommandInPane({}));
    std::string stream = ExpectedBanner(5) + "\n" + ConsolePrompts();
    ASSERT_TRUE(ScreenShows(pane, stream));
    const std::vector<std::pair<std::string, std::string>> numbers = {
        {"123-45-6789", "SSN: 123-45-6789   New York              VALID=NO\n"},
        {"123-96-0001", "SSN: 123-96-0001   New York              VALID=YES  CONFIRM\n"},
        {"800-12-3456", "SSN: 800-12-3456   UNKNOWN-after 06/2011 VALID=MAYBE\n"},
    };
    for (const auto& [number, result] : numbers) {
        pane.Type(number);
        pane.Press("Enter");
        // The terminal echoes the number and the line end; the result and the next prompts follow.
        stream += number + "\n" + result + ConsolePrompts();
        ASSERT_TRUE(ScreenShows(pane, stream));
    }
    pane.Press("Enter");
    EXPECT_EQ(pane.WaitForExit(), 0);
    EXPECT_TRUE(ScreenShows(pane, stream + "\n"));
}

}  // namespace
}  // namespace kalderos::test
