// GNU-style long options (--name, --name=value, --name value), taken out of the argument list wherever they
// stand before the short options are read, so that the short options read what remains by their own rules. An
// argument that is a short option's value (the one after "-g") is left to that option, whatever it looks like.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "driver/run_state.h"

namespace kalderos {

// What the long options tell beyond the run's options, which they set in the run's own record.
struct LongOptions {
    bool rules_given = false;      // --rules was given, whichever set it named
    bool delimiter_given = false;  // --delimiter was given, whichever byte it named
    bool help = false;
    bool version = false;
    std::vector<const char*> arguments;  // the program name and every argument that is not a long option
    // A long option was given: the run has opted into GNU conventions (see ParseGnuCommandLine).
    [[nodiscard]] bool Given(int argc) const { return static_cast<int>(arguments.size()) - 1 < argc; }
    // What is wrong with the long options ("unrecognized option '--x'"), empty when nothing is.
    std::string problem;
};

// True for "--" followed by a name of two or more characters that starts with a letter; "--", "--x", "--4" and
// "---4000000000000002" stay short-option arguments.
[[nodiscard]] bool IsLongOption(std::string_view argument);

// Sets in `options` the long options of the command line before the first "--" that is no option's value, in
// order; the last of --format, of --rules and of --jobs wins. Without memory the run ends with 6. Reading stops
// at an unknown option, a value where none belongs or a missing or unknown --format, --rules or --jobs value,
// and `problem` says which.
LongOptions TakeLongOptions(int argc, const char* const* argv, RunOptions& options);

}  // namespace kalderos
