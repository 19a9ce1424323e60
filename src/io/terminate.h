// The one way a run ends, and what each exit code means.
#pragma once

namespace kalderos {

// Exit codes, named for what they tell whoever started the run. Two numbers carry two meanings each: a list
// file that fails ends a run as Ctrl-C does, and a group file that fails as a bad option does.
inline constexpr int kExitDone = 0;             // the input is exhausted, or the single number was checked
inline constexpr int kExitInvalidFound = 1;     // --fail-on-invalid, and a number was not valid; used nowhere else
inline constexpr int kExitInterrupted = 2;      // Ctrl-C
inline constexpr int kExitInputFailed = 2;      // the list file (or standard input) could not be opened or read
inline constexpr int kExitWriteError = 3;       // standard output could not be written
inline constexpr int kExitUsage = 5;            // a bad option: the help screen was shown
inline constexpr int kExitGroupFileFailed = 5;  // the group file could not be opened or read
inline constexpr int kExitOutOfMemory = 6;      // memory the run needs could not be obtained

// Flushes standard output and ends the process with `code`. When standard output could not be written the
// run says so on standard error and never ends with 0.
[[noreturn]] void TerminateRun(int code);

// Work that must stop before the process ends (the threads that check a list), run first by TerminateRun;
// null for none. Called on the thread that ends the run, never from inside the work it stops.
void SetStopBeforeExit(void (*stop)());

// True once TerminateRun has begun; a write failing during its final flush must not start it again.
[[nodiscard]] bool TerminationStarted();

// A run already bound to end with `code` (the help screen's 5) keeps it when standard output then fails; the
// failure is still reported. Otherwise a failed write ends the run with kExitWriteError.
void KeepExitCodeOnWriteFailure(int code);
[[nodiscard]] int WriteFailureExitCode();

// A run under GNU conventions reports a failed write as every other diagnostic, on one line (see Diagnose).
// Set once at start-up: the write that fails may lie deep below anything that holds the run's options.
void WriteFailureOnOneLine();

// Ends the run with exit code 2 if Ctrl-C has been pressed.
void CheckInterrupt();

}  // namespace kalderos
