// Options: -C card mode, -g group file, -i list file, -1/+1 for the accounting stream; values attached
// (-gmygroups) or in the next argument.
#include "driver/command_line.h"

#include <string>

#include "console/help_screen.h"
#include "io/diagnostics.h"
#include "io/output_stream.h"
#include "io/terminate.h"
#include "platform/platform.h"

namespace kalderos {
namespace {

bool IsLead(char c) { return c == '-' || c == '+' || c == '/'; }

[[noreturn]] void BadOption() {
    if (ScriptDiagnostics()) {
        // A run that prints records shows no paged screen on its standard output.
        Err().Write("kalderos: bad option or missing option value\nTry 'kalderos --help' for more information.\n");
        TerminateRun(kExitUsage);
    }
    KeepExitCodeOnWriteFailure(kExitUsage);
    ShowHelp();
    TerminateRun(kExitUsage);
}

// The value of the letter at `letter`: the rest of its argument, or else the whole next argument, which
// must not begin with "-" (that is taken as a forgotten value, not as a file name).
const char* TakeValue(int argc, const char* const* argv, const char* letter, int& next) {
    if (letter[1] != '\0') return letter + 1;
    if (next >= argc || argv[next][0] == '-') BadOption();
    return argv[next++];
}

// Without a working directory (removed while the run was starting) no full path can be formed; the name is then
// kept as it was given, so that a file the user named is never dropped in silence and a failure to open it
// names it. An empty name stands for the working directory itself.
void StoreFullPath(PathText& path, const char* value) {
    std::string full = platform::FullPath(value);
    if (full.empty()) full = *value != '\0' ? value : ".";
    path.Assign(full);  // too long: the earlier value stays
}

void OpenListFile(RunOptions& options, const char* value) {
    StoreFullPath(options.list_file_path, value);
    const int fd = platform::OpenForReading(options.list_file_path.Str());
    if (fd < 0) {
        CheckInterrupt();  // a FIFO that nobody writes, waited on until Ctrl-C
        if (ScriptDiagnostics()) {
            ReportFailure("Error opening input file", options.list_file_path.View());
        } else {
            Out().Write("\nError opening input file ");
            Out().Write(options.list_file_path.View());
        }
        TerminateRun(kExitInterrupted);
    }
    if (options.list_file >= 0) platform::CloseFile(options.list_file);
    options.list_file = fd;
}

// Nothing in this program opens an accounting stream, so this and the +1 branch below never act; they stay
// because -1 FILE and +1 are part of the command line, taken with their values like every other option.
void OverrideAccounting(RunOptions& options, const char* value) {
    if (options.accounting_stream < 0) return;
    const std::string text = "This file closed.\nAccounting file overridden by option -1 file pointing to " +
                             platform::FullPath(value) + "\n";
    (void)platform::WriteAll(options.accounting_stream, text.data(), text.size());
    platform::CloseFile(options.accounting_stream);
    options.accounting_stream = -1;
}

// Acts on the letters of one option argument; returns the position of the argument to look at next.
int ApplyOptionArgument(int argc, const char* const* argv, int position, RunOptions& options) {
    const char* const argument = argv[position];
    int next = position + 1;
    for (const char* letter = argument + 1; *letter != '\0'; ++letter) {
        switch (*letter) {
            case 'C':
            case 'c':
                options.card_mode = true;
                continue;
            case 'G':
            case 'g':
                StoreFullPath(options.group_file_path, TakeValue(argc, argv, letter, next));
                return next;
            case 'I':
            case 'i':
                OpenListFile(options, TakeValue(argc, argv, letter, next));
                return next;
            case '1':
                if (argument[0] == '+' && letter == argument + 1) {
                    if (options.accounting_stream >= 0) platform::CloseFile(options.accounting_stream);
                    options.accounting_stream = -1;
                    continue;
                }
                OverrideAccounting(options, TakeValue(argc, argv, letter, next));
                return next;
            default:
                BadOption();
        }
    }
    return next;
}

}  // namespace

int ParseCommandLine(int argc, const char* const* argv, RunOptions& options) {
    int start = 1;
    while (start < argc && !IsLead(argv[start][0])) ++start;
    for (int position = start; position < argc && IsLead(argv[position][0]);) {
        position = ApplyOptionArgument(argc, argv, position, options);
    }
    return start;
}

}  // namespace kalderos
