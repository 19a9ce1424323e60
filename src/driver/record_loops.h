// The loops of the record formats: one record per text, in input order, each judged on its own from the digits
// that stand in it (records never invent digits). `Syntax` is the format's (record::TsvSyntax,
// record::JsonlSyntax); both are instantiated in record_loops.cpp.
#pragma once

#include "card/card_type_table.h"
#include "driver/run_state.h"
#include "lists/text_source.h"
#include "ssn/ssn_rules.h"

namespace kalderos {

template <class Syntax, RuleSet kRules>
[[nodiscard]] int RunSsnRecordLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules);
template <class Syntax, RuleSet kRules>
[[nodiscard]] int RunCardRecordLoop(TextSource& texts, const RunOptions& options);

}  // namespace kalderos
