// The two-page help screen with its pause, shown when the command line cannot be used.
#pragma once

namespace kalderos {

// Page 1, the pager's pause, page 2, on standard output. The user may end the run at the pause (exit code 5).
void ShowHelp();

// Waits for a key after bringing the screen to 24 lines, counting the `lines` already on it. x, Escape,
// Ctrl-C, or no console to read end the run with 5; any other key clears the screen, shows the banner
// again and returns the new line count.
int Pager(int lines);

}  // namespace kalderos
