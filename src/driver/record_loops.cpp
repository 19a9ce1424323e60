// The record loops: each text judged on its own and printed by its format's printer.
#include "driver/record_loops.h"

#include "records/record_printers.h"
#include "driver/text_loop.h"
#include "io/output_stream.h"
#include "ssn/ssn_judgement.h"

namespace kalderos {

namespace {

template <class Syntax, ssn::SsnRuleSet kSet>
int SsnRecordLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    record::SsnRecordPrinter<Syntax> printer(Out());
    if (options.header) printer.Header();
    const ssn::SsnJudge judge(rules);
    static_assert(TextSource::kReadAhead >= ssn::kSsnReadAhead &&
                  TextSource::kReadAhead >= RecordWriter<Syntax>::kReadAhead);
    const auto check = [&](std::string_view text) {
        const std::string_view input = LineContent(text);
        const ssn::SsnJudgement judgement = judge.JudgeAs<kSet>(input);
        printer.Print(input, judgement);
        return judgement.Fails();
    };
    return CheckEveryText(texts, options, check, [] {});
}

}  // namespace

template <class Syntax>
int RunSsnRecordLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    // The rule set is chosen once for the whole list.
    switch (rules.RuleSet()) {
        case ssn::SsnRuleSet::Classic:
            return SsnRecordLoop<Syntax, ssn::SsnRuleSet::Classic>(texts, options, rules);
        case ssn::SsnRuleSet::Current:
            return SsnRecordLoop<Syntax, ssn::SsnRuleSet::Current>(texts, options, rules);
    }
    return kExitDone;
}

template <class Syntax, card::CardRules kRules>
int RunCardRecordLoop(TextSource& texts, const RunOptions& options) {
    record::CardRecordPrinter<Syntax, kRules> printer(Out());
    if (options.header) printer.Header();
    static_assert(TextSource::kReadAhead >= card::kCardReadAhead &&
                  TextSource::kReadAhead >= RecordWriter<Syntax>::kReadAhead);
    const auto check = [&](std::string_view text) {
        const std::string_view input = LineContent(text);
        const card::CardOutcome outcome = card::ClassifyReadable(input.data(), input.size(), kRules);
        printer.Print(input, outcome);
        return outcome.reason != card::CardReason::Ok;
    };
    return CheckEveryText(texts, options, check, [] {});
}

template int RunSsnRecordLoop<record::TsvSyntax>(TextSource&, const RunOptions&, const ssn::SsnRules&);
template int RunSsnRecordLoop<record::JsonlSyntax>(TextSource&, const RunOptions&, const ssn::SsnRules&);
template int RunCardRecordLoop<record::TsvSyntax, card::CardRules::Classic>(TextSource&, const RunOptions&);
template int RunCardRecordLoop<record::JsonlSyntax, card::CardRules::Classic>(TextSource&, const RunOptions&);
template int RunCardRecordLoop<record::TsvSyntax, card::CardRules::Current>(TextSource&, const RunOptions&);
template int RunCardRecordLoop<record::JsonlSyntax, card::CardRules::Current>(TextSource&, const RunOptions&);

}  // namespace kalderos
