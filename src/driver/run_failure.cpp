// The failure messages: which stream each goes to, its words around the file's path, and the run's exit code.
#include "driver/run_failure.h"

#include <array>
#include <string_view>

#include "io/diagnostics.h"
#include "io/output_stream.h"
#include "io/terminate.h"

namespace kalderos {
namespace {

struct FailureText {
    RunFailure failure;
    bool on_standard_error;  // the text format writes list-file messages to standard output, with the results
    std::string_view before_path;
    bool shows_path;
    std::string_view after_path;
    // In the record formats every message is one line on standard error, "<what> <file>: <reason>"; a failure
    // without a system reason keeps its words there, less the leading line feed.
    std::string_view record_what;
    int exit_code;
};

constexpr std::array<FailureText, static_cast<std::size_t>(RunFailure::kCount)> kFailureTexts{{
    {RunFailure::kListFileOpen, false, "\nError opening input file ", true, "", "Error opening input file",
     kExitInputFailed},
    {RunFailure::kListFileRead, false, "\nError reading input file ", true, "", "Error reading input file",
     kExitInputFailed},
    {RunFailure::kConsoleRead, false, "\nError reading standard input", false, "", "Error reading",
     kExitInputFailed},
    {RunFailure::kListFileIsOutput, true, "\nError: input file ", true, " is also standard output\n", "",
     kExitInputFailed},
    {RunFailure::kStandardInputIsOutput, true, "\nError: standard input is also standard output\n", false, "", "",
     kExitInputFailed},
    {RunFailure::kGroupFileOpen, true, "\nError opening ", true, " group file\n", "Error opening group file",
     kExitGroupFileFailed},
    {RunFailure::kGroupFileRead, true, "\nError reading ", true, " group file\n", "Error reading group file",
     kExitGroupFileFailed},
    {RunFailure::kNoMemory, true, "", false, "", "", kExitOutOfMemory},
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
    if (!text.shows_path) path = {};
    const bool records = options.format != OutputFormat::Text;
    if (records && !text.record_what.empty()) {
        ReportFailure(text.record_what, text.shows_path ? path : "standard input");
        return text.exit_code;
    }
    OutputStream& stream = text.on_standard_error || records ? Err() : Out();
    std::string_view before_path = text.before_path;
    // The leading line feed sets a message apart from console output, which a record run does not print.
    if (records && !before_path.empty()) before_path.remove_prefix(1);
    // Empty pieces are not written: an empty view may hold no data pointer at all.
    for (const std::string_view piece : {before_path, path, text.after_path}) {
        if (!piece.empty()) stream.Write(piece);
    }
    return text.exit_code;
}

}  // namespace kalderos
