// Start-up in its fixed order, then the SSN loop or the card loop over the texts to check.
#include "driver/run_loops.h"

#include <cstdlib>
#include <new>

#include "console/banner.h"
#include "console/help_screen.h"
#include "driver/check_loops.h"
#include "driver/command_line.h"
#include "driver/run_failure.h"
#include "driver/run_state.h"
#include "driver/text_source.h"
#include "io/output_stream.h"
#include "io/terminate.h"
#include "platform/platform.h"

namespace kalderos {
namespace {

bool g_streams_made = false;

// Memory the run needs and cannot get, whichever allocation it is, ends the run with 6 and no message; what
// was printed before is still written out. Before the two streams are made nothing has been printed, and
// ending through them would make them anew in the middle of making them.
void OnNoMemory() {
    if (!g_streams_made) std::exit(kExitOutOfMemory);
    FailRun(RunFailure::kNoMemory);
}

// In place before the first allocation: the runtime's "nothrow" new throws inside, and without memory even for
// that exception the process would abort.
void PrepareForMissingMemory() {
    std::set_new_handler(OnNoMemory);
    if (!Out().Usable() || !Err().Usable()) std::exit(kExitOutOfMemory);
    g_streams_made = true;
}

// A list file that is also standard output, written where it is still to be read, would be read back without
// end (as `cat f >> f` would); refused before anything is checked.
void RefuseListFileThatIsOutput(const RunOptions& options) {
    if (options.list_file < 0 || !platform::OutputFeedsInput(options.list_file, platform::kStandardOutput)) return;
    FailRun(RunFailure::kListFileIsOutput, options.list_file_path.View());
}

// A command line that cannot be used: the help screen for a bad option (whose exit code stays 5 even when
// standard output cannot take the help), the failure's message for a list file that cannot be opened.
void EndOnStop(CommandLine::Stop stop, const RunOptions& options) {
    switch (stop) {
        case CommandLine::Stop::kNone:
            return;
        case CommandLine::Stop::kBadOption:
            KeepExitCodeOnWriteFailure(kExitUsage);
            ShowHelp();
            TerminateRun(kExitUsage);
        case CommandLine::Stop::kListFileNotOpened:
            FailRun(RunFailure::kListFileOpen, options.list_file_path.View());
    }
}

}  // namespace

void RunProgram(int argc, const char* const* argv) {
    PrepareForMissingMemory();
    platform::PrepareProcess();
    platform::InstallInterruptHandler();
    PrintBanner(kLinesBeforeStartBanner);
    RunState state = CreateRunState();
    const CommandLine command_line = ParseCommandLine(argc, argv, *state.options);
    EndOnStop(command_line.stop, *state.options);
    TextSource texts(argv, command_line.option_start, *state.options);
    if (!texts.SingleNumber()) RefuseListFileThatIsOutput(*state.options);
    if (state.options->card_mode) RunCardLoop(texts, *state.options, *state.card_kind);
    RunSsnLoop(texts, *state.options, *state.highest_groups);
}

}  // namespace kalderos
