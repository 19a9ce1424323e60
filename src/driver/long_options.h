// GNU-style long options (--name, --name=value, --name value), taken out of the argument list wherever they
// stand before the short options are read, so that what remains follows the older command-line rules unchanged.
#pragma once

#include <string_view>
#include <vector>

namespace kalderos {

enum class OutputFormat { Text, Tsv, Jsonl };

struct LongOptions {
    bool quiet = false;            // no banner and no leading blank line
    OutputFormat format = OutputFormat::Text;
    bool header = true;            // the TSV header row
    bool fail_on_invalid = false;  // exit 1 when a number was not valid
    bool help = false;
    bool version = false;
    std::vector<const char*> arguments;  // the program name and every argument that is not a long option
};

// True for "--" followed by at least two more characters; "--" and "--x" stay short-option arguments.
[[nodiscard]] bool IsLongOption(std::string_view argument);

// The long options of the command line, in order; the last of --format wins. Without memory the run ends with
// 6. An unknown option, a value where none belongs or a missing or unknown --format value is named on standard
// error with a pointer to --help and ends the run with 5.
LongOptions TakeLongOptions(int argc, const char* const* argv);

}  // namespace kalderos
