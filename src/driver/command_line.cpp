// Options: -C card mode, -g group file, -i list file, -1 FILE and +1, which name an accounting stream this
// program never opens and so only take their places; values attached (-gmygroups) or in the next argument.
#include "driver/command_line.h"

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kalderos {

bool PathText::Assign(std::string_view full, std::string_view name) {
    if (full.size() > kMaxLength) {
        refused_ = full;
        return false;
    }
    full.copy(text_.data(), full.size());
    text_[full.size()] = '\0';
    length_ = full.size();
    name_ = name;
    refused_.clear();
    return true;
}

namespace {

using Stop = CommandLine::Stop;

bool IsLead(char c) { return c == '-' || c == '+' || c == '/'; }

// The name is kept as given, to be opened as the system resolves it, and its full path for messages. Without a
// working directory (removed while the run was starting) no full path can be formed; messages then name the
// file as it was given, so that a file the user named is never dropped in silence and a failure to open it
// names it. An empty name stands for the working directory itself.
void StoreFullPath(PathText& path, const char* value) {
    const std::string_view name = *value != '\0' ? value : ".";
    std::string full = platform::FullPath(name);
    if (full.empty()) full = name;
    path.Assign(full, name);  // too long: the earlier name stays
}

// A name refused for the length of its full path ends the run when a long option was given; without one, a
// later -i so refused leaves the earlier list file in use, and a first one fails as a name that cannot be
// opened, the refused path named.
// Empty when the file was opened, else the full path its message names.
std::string_view OpenListFile(RunOptions& options, const char* value) {
    PathText& path = options.list_file_path;
    StoreFullPath(path, value);
    if (!path.Refused().empty() && (options.conventions.refuses_what_it_cannot_use || path.Empty())) {
        platform::NoteNameTooLong();
        return path.Refused();
    }
    const int fd = platform::OpenForReading(path.Name());
    if (fd < 0) return path.View();
    if (options.list_file >= 0) platform::CloseFile(options.list_file);
    options.list_file = fd;
    return {};
}

// What a letter of an option argument does: sets a switch, takes a value, or is unknown.
enum class LetterKind { kSwitch, kValue, kUnknown };

LetterKind KindOf(char letter) {
    switch (letter) {
        case 'C':
        case 'c':
            return LetterKind::kSwitch;
        case 'G':
        case 'g':
        case 'I':
        case 'i':
        case '1':
            return LetterKind::kValue;
        default:
            return LetterKind::kUnknown;
    }
}

// The letters of the option arguments, one argument after another.
class OptionReader {
public:
    OptionReader(int argc, const char* const* argv, RunOptions& options)
        : argc_(argc), argv_(argv), options_(options), conventions_(options.conventions) {}

    // Acts on the letters of the option argument at `position`; returns the position of the argument to look at
    // next, or -1 when the reading stops (Found says why).
    int ApplyOptionArgument(int position) {
        const char* const argument = argv_[position];
        next_ = position + 1;
        for (const char* letter = argument + 1; *letter != '\0'; ++letter) {
            // +1 stands alone; -1 takes its file name, which is never opened.
            if (*letter == '1' && argument[0] == '+' && letter == argument + 1) continue;
            switch (KindOf(*letter)) {
                case LetterKind::kSwitch:
                    options_.card_mode = true;
                    continue;
                case LetterKind::kValue:
                    if (const char* value = TakeValue(letter)) ApplyValue(*letter, value);
                    return Next();
                case LetterKind::kUnknown:
                    stop_ = Stop::kBadOption;
                    letter_ = *letter;
                    return Next();
            }
        }
        return next_;
    }

    // Under GNU conventions a group file means nothing to card mode, whichever of the two came first.
    void CheckGroupFilesInCardMode() {
        if (stop_ != Stop::kNone || !conventions_.refuses_what_it_cannot_use || !options_.card_mode ||
            group_letter_ == 0) {
            return;
        }
        stop_ = Stop::kGroupFileInCardMode;
        letter_ = group_letter_;
    }

    // `found` with what the reading ended with.
    [[nodiscard]] CommandLine Found(CommandLine found) const {
        found.stop = stop_;
        found.list_file_shown = list_file_shown_;
        found.option_letter = letter_;
        found.value_missing = value_missing_;
        return found;
    }

private:
    void ApplyValue(char letter, const char* value) {
        switch (letter) {
            case 'G':
            case 'g':
                group_letter_ = letter;
                if (!conventions_.every_group_file) {
                    StoreFullPath(options_.group_file_path, value);
                    return;
                }
                // Every group file named is read, in order: none is passed over for a later one.
                StoreFullPath(options_.group_files.emplace_back(), value);
                return;
            case 'I':
            case 'i':
                // One list per run: a second one would otherwise leave the first unread.
                if (conventions_.refuses_what_it_cannot_use &&
                    (options_.list_file >= 0 || options_.list_is_standard_input)) {
                    stop_ = Stop::kSecondListFile;
                    letter_ = letter;
                    return;
                }
                // "-" is standard input, as in every program that reads files, once a long option was given.
                if (conventions_.numbers_anywhere && std::string_view(value) == "-") {
                    options_.list_is_standard_input = true;
                    return;
                }
                list_file_shown_ = OpenListFile(options_, value);
                if (!list_file_shown_.empty()) stop_ = Stop::kListFileNotOpened;
                return;
            default:
                return;  // -1: the accounting file is never opened
        }
    }

    // The value of the letter at `letter`: the rest of its argument, or else the whole next argument, which must
    // not begin with "-" (that is taken as a forgotten value, not as a file name) unless GNU conventions hold.
    // Null when it is missing.
    const char* TakeValue(const char* letter) {
        if (letter[1] != '\0') return letter + 1;
        if (next_ < argc_ && (conventions_.numbers_anywhere || argv_[next_][0] != '-')) return argv_[next_++];
        stop_ = Stop::kBadOption;
        letter_ = *letter;
        value_missing_ = true;
        return nullptr;
    }

    [[nodiscard]] int Next() const { return stop_ == Stop::kNone ? next_ : -1; }

    int argc_;
    const char* const* argv_;
    RunOptions& options_;
    const Conventions& conventions_;
    int next_ = 0;
    Stop stop_ = Stop::kNone;
    char letter_ = 0;
    char group_letter_ = 0;  // the letter of the last -g, 0 when none was given
    bool value_missing_ = false;
    std::string_view list_file_shown_;
};

}  // namespace

bool ValueInNextArgument(std::string_view argument) {
    if (argument.size() < 2 || argument[0] != '-' || argument == "--") return false;
    for (std::size_t letter = 1; letter < argument.size(); ++letter) {
        switch (KindOf(argument[letter])) {
            case LetterKind::kSwitch:
                continue;
            case LetterKind::kValue:
                return letter + 1 == argument.size();
            case LetterKind::kUnknown:
                return false;  // the reading stops there, before any value
        }
    }
    return false;
}

CommandLine ParseCommandLine(int argc, const char* const* argv, RunOptions& options) {
    CommandLine found;
    while (found.option_start < argc && !IsLead(argv[found.option_start][0])) ++found.option_start;
    OptionReader reader(argc, argv, options);
    for (int position = found.option_start; position >= 0 && position < argc && IsLead(argv[position][0]);) {
        position = reader.ApplyOptionArgument(position);
    }
    return reader.Found(found);
}

CommandLine ParseGnuCommandLine(int argc, const char* const* argv, RunOptions& options) {
    CommandLine found;
    found.numbers.reserve(static_cast<std::size_t>(argc));
    OptionReader reader(argc, argv, options);
    bool options_ended = false;
    for (int position = 1; position >= 0 && position < argc;) {
        const std::string_view argument = argv[position];
        if (!options_ended && argument == "--") {
            options_ended = true;
            ++position;
        } else if (options_ended || argument.size() < 2 || argument[0] != '-') {
            found.numbers.push_back(argv[position++]);
        } else {
            position = reader.ApplyOptionArgument(position);
        }
    }
    reader.CheckGroupFilesInCardMode();
    return reader.Found(found);
}

}  // namespace kalderos
