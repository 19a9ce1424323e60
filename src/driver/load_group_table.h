// Filling the highest-group table at start-up in SSN mode.
#pragma once

#include <optional>

#include "driver/run_failure.h"
#include "driver/run_state.h"

namespace kalderos {

// The built-in list (under the current rules the June 2011 list), then the group files named with -g, which
// also mark in `named` the areas they name; the failure, and the file it names, when a group file cannot be
// opened or read.
[[nodiscard]] std::optional<NamedFailure> LoadHighestGroupTable(const RunOptions& options, HighestGroupTable& table,
                                                                GroupFileAreas& named);

}  // namespace kalderos
