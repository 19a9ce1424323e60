// The two checking loops and the program's start-up.
#pragma once

namespace kalderos {

// Runs the whole program; never returns.
[[noreturn]] void RunProgram(int argc, const char* const* argv);

}  // namespace kalderos
