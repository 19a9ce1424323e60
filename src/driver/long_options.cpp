// Reading the long options. Each is matched whole: no abbreviations, so that a script's meaning never changes
// when an option is added.
#include "driver/long_options.h"

#include <string>

#include "io/output_stream.h"
#include "io/terminate.h"

namespace kalderos {
namespace {

[[noreturn]] void BadLongOption(const std::string& problem) {
    Err().Write("kalderos: " + problem + "\nTry 'kalderos --help' for more information.\n");
    TerminateRun(kExitUsage);
}

bool SetFormat(LongOptions& options, std::string_view value) {
    if (value == "text") {
        options.format = OutputFormat::Text;
    } else if (value == "tsv") {
        options.format = OutputFormat::Tsv;
    } else if (value == "jsonl") {
        options.format = OutputFormat::Jsonl;
    } else {
        return false;
    }
    return true;
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

// Applies the long option at `position`; returns the position of the argument to look at next.
int ApplyLongOption(int argc, const char* const* argv, int position, LongOptions& options) {
    const std::string_view argument = argv[position];
    const std::size_t equals = argument.find('=');
    const std::string_view name = argument.substr(2, equals == std::string_view::npos ? equals : equals - 2);
    const std::string shown = "--" + std::string(name);
    if (name == "format") {
        if (equals == std::string_view::npos && position + 1 >= argc) {
            BadLongOption("option '" + shown + "' requires an argument");
        }
        const std::string_view value = equals != std::string_view::npos ? argument.substr(equals + 1)
                                                                        : std::string_view(argv[position + 1]);
        if (!SetFormat(options, value)) {
            BadLongOption("invalid argument '" + std::string(value) + "' for '" + shown +
                          "'\nValid arguments are: 'text', 'tsv', 'jsonl'");
        }
        return position + (equals == std::string_view::npos ? 2 : 1);
    }
    if (!SetSwitch(options, name)) BadLongOption("unrecognized option '" + std::string(argument) + "'");
    if (equals != std::string_view::npos) BadLongOption("option '" + shown + "' doesn't allow an argument");
    return position + 1;
}

}  // namespace

bool IsLongOption(std::string_view argument) { return argument.size() >= 4 && argument.substr(0, 2) == "--"; }

LongOptions TakeLongOptions(int argc, const char* const* argv) {
    LongOptions options;
    options.arguments.reserve(static_cast<std::size_t>(argc) + 1);
    if (argc > 0) options.arguments.push_back(argv[0]);
    for (int position = 1; position < argc;) {
        if (IsLongOption(argv[position])) {
            position = ApplyLongOption(argc, argv, position, options);
        } else {
            options.arguments.push_back(argv[position++]);
        }
    }
    options.arguments.push_back(nullptr);
    return options;
}

}  // namespace kalderos
