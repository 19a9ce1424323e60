// The one way a run ends, and what each exit code means.
#pragma once

namespace kalderos {

inline constexpr int kExitDone = 0;           // the input is exhausted, or the single number was checked
inline constexpr int kExitInvalidFound = 1;   // --fail-on-invalid and a number not valid; used nowhere else
inline constexpr int kExitInterrupted = 2;    // Ctrl-C, or the list file could not be opened or read
inline constexpr int kExitWriteError = 3;     // standard output could not be written
inline constexpr int kExitUsage = 5;          // help screen shown, or the group file could not be opened or read
inline constexpr int kExitOutOfMemory = 6;    // memory the run needs could not be obtained

// Flushes standard output and ends the process with `code`. When standard output could not be written the
// run says so on standard error and never ends with 0.
[[noreturn]] void TerminateRun(int code);

// True once TerminateRun has begun; a write failing during its final flush must not start it again.
[[nodiscard]] bool TerminationStarted();

// A run already bound to end with `code` (the help screen's 5) keeps it when standard output then fails; the
// failure is still reported. Otherwise a failed write ends the run with kExitWriteError.
void KeepExitCodeOnWriteFailure(int code);
[[nodiscard]] int WriteFailureExitCode();

// Ends the run with exit code 2 if Ctrl-C has been pressed.
void CheckInterrupt();

}  // namespace kalderos
