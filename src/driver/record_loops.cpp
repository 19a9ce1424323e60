// The record loops: each text judged on its own and printed by its format's printer.
#include "driver/loops.h"

#include "driver/text_loop.h"
#include "io/output_stream.h"
#include "lists/block_loop.h"
#include "records/record_printers.h"
#include "rows/record_steps.h"
#include "rows/ssn_tally.h"
#include "rules/rule_sets.h"
#include "ssn/ssn_judgement.h"

namespace kalderos {

template <class Syntax, RuleSet kSet>
int RunSsnRecordLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    // Over CSV rows, the header follows the input's, once its column is found.
    if (options.header && !options.column.Given()) record::SsnRecordPrinter<Syntax>(Out()).Header();
    const ssn::SsnJudge judge(rules);
    return CheckEveryText(
        texts, options,
        [&](OutputStream& out) { return SsnRecordStep<Syntax, kSet>(out, judge, options.group_file_areas); },
        [&](const SsnRecordStep<Syntax, kSet>& step) { HintAtOrderOfIssue(options, step.Tallied()); });
}

template <class Syntax, RuleSet kRules>
int RunCardRecordLoop(TextSource& texts, const RunOptions& options) {
    if (options.header && !options.column.Given()) record::CardRecordPrinter<Syntax, kRules>(Out()).Header();
    return CheckEveryText(
        texts, options, [](OutputStream& out) { return CardRecordStep<Syntax, kRules>(out); },
        [](const CardRecordStep<Syntax, kRules>& /*step*/) {});
}

#define KALDEROS_MADE_FOR(kSet) \
    template int RunSsnRecordLoop<record::TsvSyntax, kSet>(TextSource&, const RunOptions&, const ssn::SsnRules&); \
    template int RunSsnRecordLoop<record::JsonlSyntax, kSet>(TextSource&, const RunOptions&, const ssn::SsnRules&); \
    template int RunSsnRecordLoop<record::CsvSyntax, kSet>(TextSource&, const RunOptions&, const ssn::SsnRules&); \
    template int RunCardRecordLoop<record::TsvSyntax, kSet>(TextSource&, const RunOptions&); \
    template int RunCardRecordLoop<record::JsonlSyntax, kSet>(TextSource&, const RunOptions&); \
    template int RunCardRecordLoop<record::CsvSyntax, kSet>(TextSource&, const RunOptions&);
KALDEROS_EACH_RULE_SET(KALDEROS_MADE_FOR)
#undef KALDEROS_MADE_FOR

}  // namespace kalderos
