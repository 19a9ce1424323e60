// Reading the program's arguments into the run options.
#pragma once

#include "driver/run_state.h"

namespace kalderos {

// Applies the options in the order they stand and returns the option start: the position of the first
// argument led by "-", "+" or "/" (the program name being 0), or one past the last argument when none is.
// A bad option shows the help screen and ends the run with 5; a list file that cannot be opened ends it with 2.
int ParseCommandLine(int argc, const char* const* argv, RunOptions& options);

}  // namespace kalderos
