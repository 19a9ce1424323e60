// The failure messages: which stream each goes to, its words around the file's path, and the run's exit code.
#include "driver/run_failure.h"

#include <array>
#include <string>
#include <string_view>

#include "io/diagnostics.h"
#include "io/output_stream.h"
#include "io/terminate.h"
#include "platform/platform.h"

namespace kalderos {
namespace {

struct FailureText {
    RunFailure failure;
    bool on_standard_error;  // the text format writes list-file messages to standard output, with the results
    std::string_view before_path;
    bool shows_path;
    std::string_view after_path;
    // Under GNU conventions every message is one line on standard error, "kalderos: <what> '<file>'<after>" and
    // the system's reason where there is one; a failure without a "what" has no message.
    std::string_view gnu_what;
    std::string_view gnu_after;
    bool gnu_reason;
    int exit_code;
};

constexpr std::array<FailureText, static_cast<std::size_t>(RunFailure::kCount)> kFailureTexts{{
    {RunFailure::kListFileOpen, false, "\nError opening input file ", true, "", "cannot open list file", "", true,
     kExitInputFailed},
    {RunFailure::kListFileRead, false, "\nError reading input file ", true, "", "cannot read list file", "", true,
     kExitInputFailed},
    {RunFailure::kConsoleRead, false, "\nError reading standard input", false, "", "cannot read standard input", "",
     true, kExitInputFailed},
    {RunFailure::kListFileIsOutput, true, "\nError: input file ", true, " is also standard output\n", "list file",
     " is also standard output", false, kExitInputFailed},
    {RunFailure::kStandardInputIsOutput, true, "\nError: standard input is also standard output\n", false, "",
     "standard input is also standard output", "", false, kExitInputFailed},
    {RunFailure::kGroupFileOpen, true, "\nError opening ", true, " group file\n", "cannot open group file", "", true,
     kExitGroupFileFailed},
    {RunFailure::kGroupFileRead, true, "\nError reading ", true, " group file\n", "cannot read group file", "", true,
     kExitGroupFileFailed},
    {RunFailure::kNoMemory, true, "", false, "", "", "", false, kExitOutOfMemory},
}};

constexpr bool InEnumOrder() {
    for (std::size_t i = 0; i < kFailureTexts.size(); ++i) {
        if (static_cast<std::size_t>(kFailureTexts[i].failure) != i) return false;
    }
    return true;
}
static_assert(InEnumOrder(), "kFailureTexts is indexed by RunFailure");

}  // namespace

int ReportRunFailure(RunFailure failure, const RunOptions& options, std::string_view path) {
    CheckInterrupt();
    const FailureText& text = kFailureTexts[static_cast<std::size_t>(failure)];
    if (options.conventions.failure_on_one_line) {
        if (text.gnu_what.empty()) return text.exit_code;
        std::string what(text.gnu_what);
        if (text.shows_path) what += ' ' + Quoted(path);
        what += text.gnu_after;
        Diagnose(what, text.gnu_reason ? platform::LastErrorText() : std::string());
        return text.exit_code;
    }
    OutputStream& stream = text.on_standard_error ? Err() : Out();
    // Empty pieces are not written: an empty view may hold no data pointer at all.
    for (const std::string_view piece : {text.before_path, text.shows_path ? path : "", text.after_path}) {
        if (!piece.empty()) stream.Write(piece);
    }
    return text.exit_code;
}

}  // namespace kalderos
