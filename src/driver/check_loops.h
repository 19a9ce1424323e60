// The two loops over the texts to check: SSN results or card lines, until the texts run out.
#pragma once

#include "driver/run_state.h"
#include "driver/text_source.h"

namespace kalderos {

// Each ends the run through TerminateRun. `kind` is the run's card record, for a loop that classifies into it
// (the reference loops do); the fast card loop takes its kind texts from the classifier's table instead.
[[noreturn]] void RunCardLoop(TextSource& texts, RunOptions& options, CardKind& kind);
[[noreturn]] void RunSsnLoop(TextSource& texts, const RunOptions& options, HighestGroupTable& table);

}  // namespace kalderos
