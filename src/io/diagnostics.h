// The diagnostics of runs under GNU conventions (a long option given): one line each on standard error, led by
// the program's name, so that standard output holds results only and a script can read what failed.
#pragma once

#include <string>
#include <string_view>

#include "io/quoted.h"

namespace kalderos {

// "kalderos: <what>\n", or with a reason (the system's words for a failed call) "kalderos: <what>: <reason>\n".
void Diagnose(std::string_view what, std::string_view reason = {});

}  // namespace kalderos
