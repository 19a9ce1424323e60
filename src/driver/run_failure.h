// The ways a run fails, each with its message and exit code.
#pragma once

#include <string_view>

#include "driver/run_state.h"

namespace kalderos {

enum class RunFailure {
    kListFileOpen,      // -i names a file that cannot be opened
    kListFileRead,      // the list file could not be read to its end
    kConsoleRead,       // standard input could not be read
    kListFileIsOutput,  // the list file is also standard output, written where it is still to be read
    kStandardInputIsOutput,  // the same of standard input, read as the list or at the console
    kGroupFileOpen,     // -g names a file that cannot be opened
    kGroupFileRead,     // the group file could not be read to its end
    kNoMemory,          // memory the run needs could not be obtained (no message)
    kCount,
};

// A failure and the full path of the file its message names.
struct NamedFailure {
    RunFailure failure;
    std::string_view path;
};

// Prints the failure's message as the run's conventions have it, with `path` (the file's full path, where the
// message names one), and returns the exit code to end the run with. A failure that Ctrl-C caused (an open or a
// read it cut short) ends the run as an interrupt instead, without a message.
[[nodiscard]] int ReportRunFailure(RunFailure failure, const RunOptions& options, std::string_view path = {});

}  // namespace kalderos
