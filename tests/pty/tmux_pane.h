// One program in a tmux pane of 80x24 on a private tmux server: keys sent as a person types them, the screen read back.
#pragma once

#include <string>
#include <vector>

namespace kalderos::test {

class TmuxPane {
public:
    // True when a tmux can be run here.
    [[nodiscard]] static bool Available();

    // Starts `command` (run directly, no shell) in a fresh pane without a status line, its output drawn through
    // cp437_terminal.
    explicit TmuxPane(const std::vector<std::string>& command);
    ~TmuxPane();
    TmuxPane(const TmuxPane&) = delete;
    TmuxPane& operator=(const TmuxPane&) = delete;

    // The 24 rows on the screen, blanks at their ends dropped.
    [[nodiscard]] std::vector<std::string> Screen() const;

    // Waits until the screen shows exactly `rows`; false when it never does.
    [[nodiscard]] bool WaitForScreen(const std::vector<std::string>& rows) const;

    // Waits until the program reads single keys from the pane's terminal.
    [[nodiscard]] bool WaitForKeyRead() const;

    // Types `text` literally, or presses a named key such as "Enter".
    void Type(const std::string& text) const;
    void Press(const std::string& key) const;

    // Waits for the program to end and returns its exit code; -1 when it does not end.
    [[nodiscard]] int WaitForExit() const;

private:
    std::string Tmux(std::vector<std::string> args) const;

    std::string dir_;
    std::string socket_;
};

// The rows an 80x24 terminal shows after receiving `stream` (text of rows shorter than 80 columns and line
// feeds), the way the terminal scrolls: the last 24 rows, blanks at their ends dropped.
std::vector<std::string> RowsOnScreen(const std::string& stream);

}  // namespace kalderos::test
