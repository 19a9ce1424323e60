// The record loops: each text judged on its own and printed by its format's printer.
#include "driver/record_loops.h"

#include "records/record_printers.h"
#include "driver/block_loop.h"
#include "driver/text_loop.h"
#include "io/output_stream.h"
#include "ssn/ssn_judgement.h"

namespace kalderos {

namespace {

template <class Syntax, RuleSet kSet>
class SsnRecordStep : public CarriesNothing {
public:
    SsnRecordStep(OutputStream& out, const ssn::SsnJudge& judge) : printer_(out), judge_(judge) {}
    [[gnu::always_inline]] bool Check(std::string_view text) {
        static_assert(TextSource::kReadAhead >= ssn::kSsnReadAhead &&
                      TextSource::kReadAhead >= RecordWriter<Syntax>::kReadAhead);
        const std::string_view input = LineContent(text);
        const ssn::SsnJudgement judgement = judge_.template JudgeAs<kSet>(input);
        printer_.Print(input, judgement);
        return judgement.Fails();
    }
    bool CheckLine(std::string_view text) { return Check(text); }

private:
    record::SsnRecordPrinter<Syntax> printer_;
    // Held apart: the judge's address goes to calls the compiler cannot see into, and a step that held it would
    // go with it, the record's cursor then read back from memory after every byte written.
    const ssn::SsnJudge& judge_;
};

template <class Syntax, RuleSet kRules>
class CardRecordStep : public CarriesNothing {
public:
    explicit CardRecordStep(OutputStream& out) : printer_(out) {}
    [[gnu::always_inline]] bool Check(std::string_view text) {
        static_assert(TextSource::kReadAhead >= card::kCardReadAhead &&
                      TextSource::kReadAhead >= RecordWriter<Syntax>::kReadAhead);
        const std::string_view input = LineContent(text);
        card::WrittenCopy copy;
        const card::CardReading reading = card::ClassifyAsWritten<kRules>(input.data(), input.size(), copy);
        printer_.Print(input, reading);
        return reading.outcome.reason != card::CardReason::Ok;
    }
    bool CheckLine(std::string_view text) { return Check(text); }

private:
    record::CardRecordPrinter<Syntax, kRules> printer_;
};

// The records of every text, in blocks with --jobs.
template <class Step, class MakeStep>
int CheckEveryRecord(TextSource& texts, const RunOptions& options, MakeStep&& make_step) {
    if (const int list = ListForJobs(texts, options); list >= 0) {
        return CheckEveryBlock(texts, list, options, make_step, [] {});
    }
    Step step = make_step(Out());
    return CheckEveryText(texts, options, [&](std::string_view text) { return step.Check(text); }, [] {});
}

}  // namespace

template <class Syntax, RuleSet kSet>
int RunSsnRecordLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    if (options.header) record::SsnRecordPrinter<Syntax>(Out()).Header();
    const ssn::SsnJudge judge(rules);
    return CheckEveryRecord<SsnRecordStep<Syntax, kSet>>(
        texts, options, [&](OutputStream& out) { return SsnRecordStep<Syntax, kSet>(out, judge); });
}

template <class Syntax, RuleSet kRules>
int RunCardRecordLoop(TextSource& texts, const RunOptions& options) {
    if (options.header) record::CardRecordPrinter<Syntax, kRules>(Out()).Header();
    return CheckEveryRecord<CardRecordStep<Syntax, kRules>>(
        texts, options, [](OutputStream& out) { return CardRecordStep<Syntax, kRules>(out); });
}

template int RunSsnRecordLoop<record::TsvSyntax, RuleSet::Classic>(TextSource&, const RunOptions&, const ssn::SsnRules&);
template int RunSsnRecordLoop<record::JsonlSyntax, RuleSet::Classic>(TextSource&, const RunOptions&, const ssn::SsnRules&);
template int RunSsnRecordLoop<record::TsvSyntax, RuleSet::Current>(TextSource&, const RunOptions&, const ssn::SsnRules&);
template int RunSsnRecordLoop<record::JsonlSyntax, RuleSet::Current>(TextSource&, const RunOptions&, const ssn::SsnRules&);
template int RunCardRecordLoop<record::TsvSyntax, RuleSet::Classic>(TextSource&, const RunOptions&);
template int RunCardRecordLoop<record::JsonlSyntax, RuleSet::Classic>(TextSource&, const RunOptions&);
template int RunCardRecordLoop<record::TsvSyntax, RuleSet::Current>(TextSource&, const RunOptions&);
template int RunCardRecordLoop<record::JsonlSyntax, RuleSet::Current>(TextSource&, const RunOptions&);

}  // namespace kalderos
