// The ways a run fails, each with its message and exit code, ended through one path.
#pragma once

#include <string_view>

namespace kalderos {

enum class RunFailure {
    kListFileOpen,      // -i names a file that cannot be opened
    kListFileRead,      // the list file could not be read to its end
    kConsoleRead,       // standard input could not be read at the console
    kListFileIsOutput,  // the list file is also standard output, written where it is still to be read
    kStandardInputIsOutput,  // the same of standard input, read as the list or at the console
    kGroupFileOpen,     // -g names a file that cannot be opened
    kGroupFileRead,     // the group file could not be read to its end
    kNoMemory,          // memory the run needs could not be obtained (no message)
};

// Prints the failure's message with `path` (the file's full path, where the message names one) and ends the run
// with the failure's exit code. A failure
// that Ctrl-C caused (an open or a read it cut short) ends the run as an interrupt instead, without a message.
[[noreturn]] void FailRun(RunFailure failure, std::string_view path = {});

}  // namespace kalderos
