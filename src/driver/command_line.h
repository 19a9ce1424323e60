// Reading the program's arguments into the run options.
#pragma once

#include <string_view>
#include <vector>

#include "driver/run_state.h"

namespace kalderos {

// What the command line gave: where its options start, and whether they were all taken.
struct CommandLine {
    enum class Stop {
        kNone,               // every option was taken
        kBadOption,          // an unknown letter, or a value missing: the help screen is due
        kListFileNotOpened,  // -i named a file that cannot be opened (list_file_shown names it)
        // Under GNU conventions only:
        kSecondListFile,       // -i given again after a list file was opened
        kGroupFileInCardMode,  // -g given together with -C
    };
    // The position of the first argument led by "-", "+" or "/" (the program name being 0), or one past the
    // last argument when none is.
    int option_start = 1;
    Stop stop = Stop::kNone;
    // The full path of the list file that could not be opened, or that was refused for its length; it lives in
    // the options.
    std::string_view list_file_shown;
    // For a bad option: the letter that is unknown or whose value is missing, and which of the two; for the
    // stops of GNU conventions, the letter of the option refused.
    char option_letter = 0;
    bool value_missing = false;
    // Runs with a long option: every argument that is neither an option nor an option's value, in order.
    std::vector<const char*> numbers;
};

// Applies the options in the order they stand, opening the list file that -i names at once. It stops at the
// first option it cannot take, so that no later option acts, and says why; ending the run is the caller's.
[[nodiscard]] CommandLine ParseCommandLine(int argc, const char* const* argv, RunOptions& options);

// The same for a run that has opted into GNU conventions by a long option: options are led by "-" alone and
// may stand anywhere, a value is the rest of its argument or else the whole next argument, whatever it begins
// with, and "--" ends the options. Every other argument ("-" alone, "+1", "/x" and all after "--" among them)
// is a number to check, kept in `numbers`; option_start stays 1. Every -g is kept, in order; a second -i, or
// -g together with -C, stops the reading.
[[nodiscard]] CommandLine ParseGnuCommandLine(int argc, const char* const* argv, RunOptions& options);

// Whether, under GNU conventions, the option argument `argument` ("-g", "-Ci") ends in a letter whose value is
// the whole next argument: that argument is then the value, whatever it begins with, never an option itself.
[[nodiscard]] bool ValueInNextArgument(std::string_view argument);

}  // namespace kalderos
