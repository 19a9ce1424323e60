// The line that ends a run whose SSNs the order of issue alone made invalid, under rules nobody chose.
#pragma once

#include <cstdint>

#include "driver/run_state.h"

namespace kalderos {

// On standard error, when the run asks for it and `not_issued` numbers are invalid by group-not-issued alone.
void HintAtOrderOfIssue(const RunOptions& options, std::uint64_t not_issued);

}  // namespace kalderos
