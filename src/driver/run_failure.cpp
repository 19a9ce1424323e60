// The failure messages: which stream each goes to, its words around the file's path, and the run's exit code.
#include "driver/run_failure.h"

#include <array>

#include "io/output_stream.h"
#include "io/terminate.h"

namespace kalderos {
namespace {

struct FailureText {
    RunFailure failure;
    bool on_standard_error;  // list-file messages have always gone to standard output, with the results
    std::string_view before_path;
    bool shows_path;
    std::string_view after_path;
    int exit_code;
};

constexpr std::array<FailureText, 7> kFailureTexts{{
    {RunFailure::kListFileOpen, false, "\nError opening input file ", true, "", kExitInputFailed},
    {RunFailure::kListFileRead, false, "\nError reading input file ", true, "", kExitInputFailed},
    {RunFailure::kConsoleRead, false, "\nError reading standard input", false, "", kExitInputFailed},
    {RunFailure::kListFileIsOutput, true, "\nError: input file ", true, " is also standard output\n",
     kExitInputFailed},
    {RunFailure::kGroupFileOpen, true, "\nError opening ", true, " group file\n", kExitGroupFileFailed},
    {RunFailure::kGroupFileRead, true, "\nError reading ", true, " group file\n", kExitGroupFileFailed},
    {RunFailure::kNoMemory, true, "", false, "", kExitOutOfMemory},
}};

constexpr bool InEnumOrder() {
    for (std::size_t i = 0; i < kFailureTexts.size(); ++i) {
        if (static_cast<std::size_t>(kFailureTexts[i].failure) != i) return false;
    }
    return true;
}
static_assert(InEnumOrder(), "kFailureTexts is indexed by RunFailure");

}  // namespace

void FailRun(RunFailure failure, std::string_view path) {
    CheckInterrupt();
    const FailureText& text = kFailureTexts[static_cast<std::size_t>(failure)];
    OutputStream& stream = text.on_standard_error ? Err() : Out();
    // Empty pieces are not written: an empty view may hold no data pointer at all.
    const std::string_view shown_path = text.shows_path ? path : std::string_view{};
    for (const std::string_view piece : {text.before_path, shown_path, text.after_path}) {
        if (!piece.empty()) stream.Write(piece);
    }
    TerminateRun(text.exit_code);
}

}  // namespace kalderos
