// Reading the program's arguments into the run options.
#pragma once

#include "driver/run_state.h"

namespace kalderos {

// What the command line gave: where its options start, and whether they were all taken.
struct CommandLine {
    enum class Stop {
        kNone,               // every option was taken
        kBadOption,          // an unknown letter, or a value missing: the help screen is due
        kListFileNotOpened,  // -i named a file that cannot be opened (its full path is in the options)
    };
    // The position of the first argument led by "-", "+" or "/" (the program name being 0), or one past the
    // last argument when none is.
    int option_start = 1;
    Stop stop = Stop::kNone;
};

// Applies the options in the order they stand, opening the list file that -i names at once. It stops at the
// first option it cannot take, so that no later option acts, and says why; ending the run is the caller's.
[[nodiscard]] CommandLine ParseCommandLine(int argc, const char* const* argv, RunOptions& options);

}  // namespace kalderos
