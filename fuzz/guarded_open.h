// While a harness runs the program, `open` lets through only regular files and directories: a FIFO would block
// and a device might act on being opened, and neither tells anything about the code under test.
#pragma once

namespace kalderos::fuzz {

// Set around the code under test; `open` then refuses everything else with ENOENT.
extern bool g_guard_open;

}  // namespace kalderos::fuzz
