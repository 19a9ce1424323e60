// The loops of --summary: every text judged as the records judge it, counted instead of printed, and the counts
// printed at the end in the run's format.
#pragma once

#include "driver/run_state.h"
#include "kalderos/kalderos.h"
#include "lists/text_source.h"
#include "ssn/ssn_rules.h"

namespace kalderos {

template <RuleSet kRules>
[[nodiscard]] int RunSsnSummaryLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules);
template <RuleSet kRules>
[[nodiscard]] int RunCardSummaryLoop(TextSource& texts, const RunOptions& options);

}  // namespace kalderos
