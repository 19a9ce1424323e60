// The texts of --help and --version: plain standard output for scripts, no banner and no pager.
#pragma once

namespace kalderos {

// Each writes its text to standard output and ends the run with 0.
[[noreturn]] void PrintUsageAndExit();
[[noreturn]] void PrintVersionAndExit();

}  // namespace kalderos
