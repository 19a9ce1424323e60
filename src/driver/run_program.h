// The program's run: start-up in its fixed order, one loop over the texts, and the end of the run.
#pragma once

namespace kalderos {

// Runs the whole program and ends the process with the run's exit code; never returns.
[[noreturn]] void RunProgram(int argc, const char* const* argv);

}  // namespace kalderos
