// The texts of --help and --version: plain standard output for scripts, no banner and no pager.
#pragma once

namespace kalderos {

// Each writes its text to standard output and returns the run's exit code, 0.
[[nodiscard]] int PrintUsage();
[[nodiscard]] int PrintVersion();

}  // namespace kalderos
