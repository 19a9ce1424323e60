// The two loops over the texts to check: SSN results or card lines, until the texts run out.
#pragma once

#include "driver/run_state.h"
#include "driver/text_source.h"

namespace kalderos {

// Each ends the run through TerminateRun.
[[noreturn]] void RunCardLoop(TextSource& texts, RunOptions& options, CardKind& kind);
[[noreturn]] void RunSsnLoop(TextSource& texts, const RunOptions& options, HighestGroupTable& table);

}  // namespace kalderos
