// The line that ends a run whose SSNs the order of issue alone made invalid, under rules nobody chose.
#pragma once

#include "driver/run_state.h"
#include "rows/ssn_tally.h"

namespace kalderos {

// On standard error, when the run asks for it and numbers are invalid by group-not-issued alone: how many, and
// whether the built-in data, the group files or both gave the highest groups that decided.
void HintAtOrderOfIssue(const RunOptions& options, const NotIssuedTally& not_issued);

}  // namespace kalderos
