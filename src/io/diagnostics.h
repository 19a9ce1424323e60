// The one-line failure report of runs that print records, with the system's reason, so that standard output
// holds records only.
#pragma once

#include <string_view>

namespace kalderos {

// "<what> <subject>: <reason of the last failed call>\n" on standard error.
void ReportFailure(std::string_view what, std::string_view subject);

}  // namespace kalderos
