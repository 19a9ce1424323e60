// The loops over the texts, one for each mode and output, each made for one rule set: the run chooses one and
// hands it the texts. The reference program of the tests brings plain text loops of its own in place of those
// of the text format.
#pragma once

#include "driver/run_state.h"
#include "kalderos/kalderos.h"
#include "lists/text_source.h"
#include "ssn/ssn_rules.h"

namespace kalderos {

// The text format: SSN result lines and card lines.
template <RuleSet kRules>
[[nodiscard]] int RunSsnTextLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules);
template <RuleSet kRules>
[[nodiscard]] int RunCardTextLoop(TextSource& texts, const RunOptions& options);

// A record a text in the format of `Syntax`, or a CSV row with its record when the input is CSV.
template <class Syntax, RuleSet kRules>
[[nodiscard]] int RunSsnRecordLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules);
template <class Syntax, RuleSet kRules>
[[nodiscard]] int RunCardRecordLoop(TextSource& texts, const RunOptions& options);

// --summary: the counts of every verdict, reason and card type, at the end.
template <RuleSet kRules>
[[nodiscard]] int RunSsnSummaryLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules);
template <RuleSet kRules>
[[nodiscard]] int RunCardSummaryLoop(TextSource& texts, const RunOptions& options);

}  // namespace kalderos
