// Ending the run: flush, report lost output, exit.
#include "io/terminate.h"

#include <cerrno>
#include <cstdlib>
#include <string>

#include "io/diagnostics.h"
#include "io/output_stream.h"
#include "platform/platform.h"

namespace kalderos {

namespace {
bool g_terminating = false;
int g_write_failure_code = kExitWriteError;
bool g_one_line_diagnostics = false;
void (*g_stop_before_exit)() = nullptr;
}  // namespace

void WriteFailureOnOneLine() { g_one_line_diagnostics = true; }

void SetStopBeforeExit(void (*stop)()) { g_stop_before_exit = stop; }

bool TerminationStarted() { return g_terminating; }

void KeepExitCodeOnWriteFailure(int code) { g_write_failure_code = code; }

int WriteFailureExitCode() { return g_write_failure_code; }

void TerminateRun(int code) {
    if (void (*const stop)() = g_stop_before_exit) {
        g_stop_before_exit = nullptr;
        stop();
    }
    if (!g_terminating) {
        g_terminating = true;
        if (!Out().Flush()) {
            // A reader that went away (a closed pipe) has asked for nothing more: end quietly, but not with 0.
            // Nor is a write given up at Ctrl-C a failure to report.
            const std::string reason = platform::LastErrorText();
            if (platform::WriteFailedOnClosedPipe() || platform::WriteWasInterrupted()) {
                // nothing to say
            } else if (g_one_line_diagnostics) {
                Diagnose("cannot write standard output", reason);
            } else {
                Err().Write("\nError writing standard output: " + reason + "\n");
            }
            if (code == kExitDone || code == kExitInvalidFound) code = kExitWriteError;
        }
    }
    std::exit(code);
}

void CheckInterrupt() {
    if (platform::InterruptRequested()) TerminateRun(kExitInterrupted);
}

}  // namespace kalderos
