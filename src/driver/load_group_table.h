// Filling the highest-group table at start-up in SSN mode.
#pragma once

#include "driver/run_state.h"

namespace kalderos {

// The built-in list, then the group file named with -g. A group file that cannot be opened or read is
// reported on standard error and ends the run with 5.
void LoadHighestGroupTable(const RunOptions& options, HighestGroupTable& table);

}  // namespace kalderos
