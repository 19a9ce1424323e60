// Reading the long options. Each is matched whole: no abbreviations, so that a script's meaning never changes
// when an option is added.
#include "driver/long_options.h"

#include <array>
#include <string>

#include "bytes/char_class.h"
#include "driver/command_line.h"
#include "io/diagnostics.h"

namespace kalderos {
namespace {

// Sets `choice` to the value named `value` in `names`; false when none is.
template <class Choice, std::size_t N>
bool SetChoice(Choice& choice, const std::array<std::string_view, N>& names, std::string_view value) {
    for (std::size_t i = 0; i < N; ++i) {
        if (value == names[i]) {
            choice = static_cast<Choice>(i);
            return true;
        }
    }
    return false;
}

// A count of jobs: decimal digits, at most kMaxJobs; leading zeros count for nothing, as in any number.
constexpr int kMaxJobs = 1024;
bool SetJobs(LongOptions& options, std::string_view value) {
    if (value.empty()) return false;
    int jobs = 0;
    for (const char c : value) {
        if (!bytes::IsDigit(c)) return false;
        jobs = jobs * 10 + (c - '0');
        if (jobs > kMaxJobs) return false;  // before it could grow past an int
    }
    options.jobs = jobs;
    return true;
}

// "'text', 'tsv', 'jsonl'"
template <std::size_t N>
std::string Choices(const std::array<std::string_view, N>& names) {
    std::string choices;
    for (const std::string_view name : names) {
        if (!choices.empty()) choices += ", ";
        choices += '\'';
        choices += name;
        choices += '\'';
    }
    return choices;
}

// Records the problem; returns -1, where the reading stops.
int BadLongOption(LongOptions& options, std::string problem) {
    options.problem = std::move(problem);
    return -1;
}

// A switch without a value: true when `name` is one of them, and it is set.
bool SetSwitch(LongOptions& options, std::string_view name) {
    if (name == "quiet") {
        options.quiet = true;
    } else if (name == "no-header") {
        options.header = false;
    } else if (name == "fail-on-invalid") {
        options.fail_on_invalid = true;
    } else if (name == "help") {
        options.help = true;
    } else if (name == "version") {
        options.version = true;
    } else {
        return false;
    }
    return true;
}

// Applies the long option at `position`; returns the position of the argument to look at next, or -1.
int ApplyLongOption(int argc, const char* const* argv, int position, LongOptions& options) {
    const std::string_view argument = argv[position];
    const std::size_t equals = argument.find('=');
    const std::string_view name = argument.substr(2, equals == std::string_view::npos ? equals : equals - 2);
    const std::string shown = "--" + std::string(name);
    if (name == "format" || name == "rules" || name == "jobs") {
        if (equals == std::string_view::npos && position + 1 >= argc) {
            return BadLongOption(options, "option '" + shown + "' requires an argument");
        }
        const std::string_view value = equals != std::string_view::npos ? argument.substr(equals + 1)
                                                                        : std::string_view(argv[position + 1]);
        const bool valid = name == "rules"    ? SetChoice(options.rules, kRuleSetNames, value)
                           : name == "format" ? SetChoice(options.format, kOutputFormatNames, value)
                                              : SetJobs(options, value);
        if (!valid) {
            const std::string choices = name == "rules"    ? Choices(kRuleSetNames)
                                        : name == "format" ? Choices(kOutputFormatNames)
                                                           : "0-" + std::to_string(kMaxJobs);
            return BadLongOption(options, "invalid argument " + Quoted(value) + " for '" + shown +
                                              "' (valid arguments are " + choices + ")");
        }
        return position + (equals == std::string_view::npos ? 2 : 1);
    }
    // Named as given, a control byte in it escaped so that the diagnostic keeps to its line.
    if (!SetSwitch(options, name)) return BadLongOption(options, "unrecognized option " + Quoted(argument));
    if (equals != std::string_view::npos) {
        return BadLongOption(options, "option '" + shown + "' doesn't allow an argument");
    }
    return position + 1;
}

}  // namespace

bool IsLongOption(std::string_view argument) {
    return argument.size() >= 4 && argument.substr(0, 2) == "--" && bytes::IsLetter(argument[2]) &&
           argument[3] != '=';
}

LongOptions TakeLongOptions(int argc, const char* const* argv) {
    LongOptions options;
    options.arguments.reserve(static_cast<std::size_t>(argc) + 1);
    if (argc > 0) options.arguments.push_back(argv[0]);
    // "--" ends the options: what follows it is taken as it stands, never as a long option.
    bool options_ended = false;
    for (int position = 1; position >= 1 && position < argc;) {
        options_ended = options_ended || std::string_view(argv[position]) == "--";
        if (!options_ended && IsLongOption(argv[position])) {
            position = ApplyLongOption(argc, argv, position, options);
            continue;
        }
        // A short option's value in the next argument is that value, however much it looks like a long option
        // or like "--": it stays with its option.
        const bool value_follows = !options_ended && ValueInNextArgument(argv[position]);
        options.arguments.push_back(argv[position++]);
        if (value_follows && position < argc) options.arguments.push_back(argv[position++]);
    }
    options.arguments.push_back(nullptr);
    return options;
}

}  // namespace kalderos
