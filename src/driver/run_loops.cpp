// Start-up in its fixed order, then the SSN loop or the card loop over the texts to check.
#include "driver/run_loops.h"

#include <cstdlib>
#include <new>

#include "console/banner.h"
#include "console/help_screen.h"
#include "console/usage_text.h"
#include "driver/check_loops.h"
#include "driver/command_line.h"
#include "driver/long_options.h"
#include "driver/record_loops.h"
#include "driver/run_failure.h"
#include "driver/run_state.h"
#include "driver/text_source.h"
#include "io/diagnostics.h"
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
// end (as `cat f >> f` would); refused before anything is checked. So is standard input, whether it is read as
// the list or answers the console's prompts; a terminal or a pipe is never such a file. An output that cannot
// be written at all (closed, so that the list took its descriptor, or open for reading only) is left to fail at
// the first write, which names the real fault.
void RefuseInputThatIsOutput(const RunOptions& options) {
    if (!platform::OpenForWriting(platform::kStandardOutput)) return;
    if (options.list_file >= 0) {
        if (!platform::OutputFeedsInput(options.list_file, platform::kStandardOutput)) return;
        FailRun(RunFailure::kListFileIsOutput, options.list_file_path.View());
    }
    if (platform::OutputFeedsInput(platform::kStandardInput, platform::kStandardOutput)) {
        FailRun(RunFailure::kStandardInputIsOutput);
    }
}

// A command line that cannot be used: the help screen for a bad option (whose exit code stays 5 even when
// standard output cannot take the help), the failure's message for a list file that cannot be opened. A run
// that prints records shows no paged screen on its standard output, only a line on standard error.
void EndOnStop(const CommandLine& command_line) {
    switch (command_line.stop) {
        case CommandLine::Stop::kNone:
            return;
        case CommandLine::Stop::kBadOption:
            if (ScriptDiagnostics()) {
                Err().Write("kalderos: bad option or missing option value\n"
                            "Try 'kalderos --help' for more information.\n");
                TerminateRun(kExitUsage);
            }
            KeepExitCodeOnWriteFailure(kExitUsage);
            ShowHelp();
            TerminateRun(kExitUsage);
        case CommandLine::Stop::kListFileNotOpened:
            FailRun(RunFailure::kListFileOpen, command_line.list_file_shown);
    }
}

}  // namespace

void RunProgram(int argc, const char* const* argv) {
    PrepareForMissingMemory();
    platform::PrepareProcess();
    platform::InstallInterruptHandler();
    // Long options are taken out first; the rest of the command line is read as it always has been.
    const LongOptions long_options = TakeLongOptions(argc, argv);
    if (long_options.help) PrintUsageAndExit();
    if (long_options.version) PrintVersionAndExit();
    const bool records = long_options.format != OutputFormat::Text;
    UseScriptDiagnostics(records);
    if (!long_options.quiet && !records) PrintBanner(kLinesBeforeStartBanner);
    RunState state = CreateRunState();
    RunOptions& options = *state.options;
    options.quiet = long_options.quiet;
    options.fail_on_invalid = long_options.fail_on_invalid;
    // The argument list ends in a null pointer after the arguments left.
    const int short_argc = static_cast<int>(long_options.arguments.size()) - 1;
    options.refuse_unusable_files = short_argc < argc;
    const char* const* arguments = long_options.arguments.data();
    const CommandLine command_line = ParseCommandLine(short_argc, arguments, options);
    EndOnStop(command_line);
    const int option_start = command_line.option_start;
    options.standard_input_list = records && option_start == 1 && options.list_file < 0;
    options.whole_lines = records;
    TextSource texts(arguments, option_start, options);
    if (!texts.SingleNumber()) RefuseInputThatIsOutput(options);
    if (records) {
        const RecordFormat format{long_options.format, long_options.header};
        if (options.card_mode) RunCardRecords(texts, options, format);
        RunSsnRecords(texts, options, *state.highest_groups, format);
    }
    if (options.card_mode) RunCardLoop(texts, options, *state.card_kind);
    RunSsnLoop(texts, options, *state.highest_groups);
}

}  // namespace kalderos
