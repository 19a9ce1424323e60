// Options: -C card mode, -g group file, -i list file, -1/+1 for the accounting stream; values attached
// (-gmygroups) or in the next argument.
#include "driver/command_line.h"

#include <string>

#include "platform/platform.h"

namespace kalderos {
namespace {

using Stop = CommandLine::Stop;

bool IsLead(char c) { return c == '-' || c == '+' || c == '/'; }

// Without a working directory (removed while the run was starting) no full path can be formed; the name is then
// kept as it was given, so that a file the user named is never dropped in silence and a failure to open it
// names it. An empty name stands for the working directory itself.
void StoreFullPath(PathText& path, const char* value) {
    std::string full = platform::FullPath(value);
    if (full.empty()) full = *value != '\0' ? value : ".";
    path.Assign(full);  // too long: the earlier value stays
}

bool OpenListFile(RunOptions& options, const char* value) {
    StoreFullPath(options.list_file_path, value);
    const int fd = platform::OpenForReading(options.list_file_path.Str());
    if (fd < 0) return false;
    if (options.list_file >= 0) platform::CloseFile(options.list_file);
    options.list_file = fd;
    return true;
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

// The letters of the option arguments, one argument after another.
class OptionReader {
public:
    OptionReader(int argc, const char* const* argv, RunOptions& options)
        : argc_(argc), argv_(argv), options_(options) {}

    // Acts on the letters of the option argument at `position`; returns the position of the argument to look at
    // next, or -1 when the reading stops (stop() says why).
    int ApplyOptionArgument(int position) {
        const char* const argument = argv_[position];
        next_ = position + 1;
        for (const char* letter = argument + 1; *letter != '\0'; ++letter) {
            switch (*letter) {
                case 'C':
                case 'c':
                    options_.card_mode = true;
                    continue;
                case 'G':
                case 'g':
                    if (const char* value = TakeValue(letter)) StoreFullPath(options_.group_file_path, value);
                    return Next();
                case 'I':
                case 'i':
                    if (const char* value = TakeValue(letter); value && !OpenListFile(options_, value)) {
                        stop_ = Stop::kListFileNotOpened;
                    }
                    return Next();
                case '1':
                    if (argument[0] == '+' && letter == argument + 1) {
                        if (options_.accounting_stream >= 0) platform::CloseFile(options_.accounting_stream);
                        options_.accounting_stream = -1;
                        continue;
                    }
                    if (const char* value = TakeValue(letter)) OverrideAccounting(options_, value);
                    return Next();
                default:
                    stop_ = Stop::kBadOption;
                    return Next();
            }
        }
        return next_;
    }

    [[nodiscard]] Stop stop() const { return stop_; }

private:
    // The value of the letter at `letter`: the rest of its argument, or else the whole next argument, which must
    // not begin with "-" (that is taken as a forgotten value, not as a file name). Null when it is missing.
    const char* TakeValue(const char* letter) {
        if (letter[1] != '\0') return letter + 1;
        if (next_ < argc_ && argv_[next_][0] != '-') return argv_[next_++];
        stop_ = Stop::kBadOption;
        return nullptr;
    }

    [[nodiscard]] int Next() const { return stop_ == Stop::kNone ? next_ : -1; }

    int argc_;
    const char* const* argv_;
    RunOptions& options_;
    int next_ = 0;
    Stop stop_ = Stop::kNone;
};

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv, RunOptions& options) {
    CommandLine found;
    while (found.option_start < argc && !IsLead(argv[found.option_start][0])) ++found.option_start;
    OptionReader reader(argc, argv, options);
    for (int position = found.option_start; position >= 0 && position < argc && IsLead(argv[position][0]);) {
        position = reader.ApplyOptionArgument(position);
    }
    found.stop = reader.stop();
    return found;
}

}  // namespace kalderos
