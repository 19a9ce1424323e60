// The console dialogue's prompt, shown before each line is read from the console.
#pragma once

namespace kalderos {

// The two prompt lines, on standard output, written out at once so that they are on the screen while the
// program waits for the answer.
void PrintConsolePrompt();

}  // namespace kalderos
