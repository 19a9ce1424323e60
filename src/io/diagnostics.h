// How failures are reported: as the console program always has, or, for runs that print records, one line on
// standard error with the system's reason, so that standard output holds records only.
#pragma once

#include <string_view>

namespace kalderos {

void UseScriptDiagnostics(bool on);
[[nodiscard]] bool ScriptDiagnostics();

// "<what> <subject>: <reason of the last failed call>\n" on standard error.
void ReportFailure(std::string_view what, std::string_view subject);

}  // namespace kalderos
