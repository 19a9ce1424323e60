// The two-page help screen with its pause, shown when the command line cannot be used.
#pragma once

namespace kalderos {

// Page 1, the pager's pause, page 2, on standard output; page 2 only when the user goes on at the pause. The
// run ends after it either way (exit code 5), which is the caller's to do.
void ShowHelp();

// Waits for a key after bringing the screen to 24 lines, counting the `lines` already on it. x, Escape,
// Ctrl-C, or no console to read give false: the user ends the run there. Any other key clears the screen, shows
// the banner again and gives true.
[[nodiscard]] bool Pager(int lines);

}  // namespace kalderos
