// Reading the program's arguments into the run options.
#pragma once

#include <string_view>

#include "driver/run_state.h"

namespace kalderos {

// What the command line gave: where its options start, and whether they were all taken.
struct CommandLine {
    enum class Stop {
        kNone,               // every option was taken
        kBadOption,          // an unknown letter, or a value missing: the help screen is due
        kListFileNotOpened,  // -i named a file that cannot be opened (list_file_shown names it)
    };
    // The position of the first argument led by "-", "+" or "/" (the program name being 0), or one past the
    // last argument when none is.
    int option_start = 1;
    Stop stop = Stop::kNone;
    // The full path of the list file that could not be opened, or that was refused for its length; it lives in
    // the options.
    std::string_view list_file_shown;
};

// Applies the options in the order they stand, opening the list file that -i names at once. It stops at the
// first option it cannot take, so that no later option acts, and says why; ending the run is the caller's.
[[nodiscard]] CommandLine ParseCommandLine(int argc, const char* const* argv, RunOptions& options);

}  // namespace kalderos
