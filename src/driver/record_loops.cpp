// The record loops: each text judged on its own and printed by its format's printer.
#include "driver/record_loops.h"

#include "driver/order_of_issue_hint.h"
#include "driver/ssn_tally.h"
#include "driver/text_loop.h"
#include "io/output_stream.h"
#include "lists/block_loop.h"
#include "records/record_printers.h"
#include "ssn/ssn_judgement.h"

namespace kalderos {

namespace {

template <class Syntax, RuleSet kSet>
class SsnRecordStep : public CarriesNothing {
public:
    using Tally = NotIssuedTally;

    SsnRecordStep(OutputStream& out, const ssn::SsnJudge& judge, const GroupFileAreas& named)
        : printer_(out), judge_(judge), named_(named) {}
    // Inlined into the list's loop: as a call, 16 % more instructions per TSV record, 35 % per JSON (callgrind).
    [[gnu::always_inline]] bool CheckLine(std::string_view text) { return CheckCell(WithoutLineFeed(text)); }
    // A text without a line end: a line's, or a CSV cell's value.
    [[gnu::always_inline]] bool CheckCell(std::string_view value) {
        static_assert(TextSource::kReadAhead >= ssn::kSsnReadAhead &&
                      TextSource::kReadAhead >= RecordWriter<Syntax>::kReadAhead);
        const std::string_view input = UpToNul(value);
        const ssn::SsnJudgement judgement = judge_.template JudgeAs<kSet>(input);
        printer_.Print(input, judgement);
        tally_.template Count<kSet>(judgement.reason, judgement.number.area, named_);
        return judgement.Fails();
    }
    bool Check(std::string_view text) { return CheckLine(text); }
    void Header() { printer_.Header(); }
    [[nodiscard]] Tally Tallied() const { return tally_; }
    void AddTally(const Tally& tally) { tally_.Add(tally); }

private:
    record::SsnRecordPrinter<Syntax> printer_;
    // By reference: a copy held here costs 5 % more instructions per TSV record (callgrind).
    const ssn::SsnJudge& judge_;
    const GroupFileAreas& named_;
    Tally tally_;
};

template <class Syntax, RuleSet kRules>
class CardRecordStep : public CarriesNothing {
public:
    explicit CardRecordStep(OutputStream& out) : printer_(out) {}
    // Inlined into the list's loop: as a call, 13 % more instructions per TSV record, 24 % per JSON (callgrind).
    [[gnu::always_inline]] bool CheckLine(std::string_view text) { return CheckCell(WithoutLineFeed(text)); }
    // A text without a line end: a line's, or a CSV cell's value.
    [[gnu::always_inline]] bool CheckCell(std::string_view value) {
        static_assert(TextSource::kReadAhead >= card::kCardReadAhead &&
                      TextSource::kReadAhead >= RecordWriter<Syntax>::kReadAhead);
        const std::string_view input = UpToNul(value);
        card::WrittenCopy copy;
        const card::CardReading reading = card::ClassifyAsWritten<kRules>(input.data(), input.size(), copy);
        printer_.Print(input, reading);
        return reading.outcome.reason != card::CardReason::Ok;
    }
    bool Check(std::string_view text) { return CheckLine(text); }
    void Header() { printer_.Header(); }

private:
    record::CardRecordPrinter<Syntax, kRules> printer_;
};

}  // namespace

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

template int RunSsnRecordLoop<record::TsvSyntax, RuleSet::Classic>(TextSource&, const RunOptions&, const ssn::SsnRules&);
template int RunSsnRecordLoop<record::JsonlSyntax, RuleSet::Classic>(TextSource&, const RunOptions&, const ssn::SsnRules&);
template int RunSsnRecordLoop<record::CsvSyntax, RuleSet::Classic>(TextSource&, const RunOptions&, const ssn::SsnRules&);
template int RunSsnRecordLoop<record::TsvSyntax, RuleSet::Current>(TextSource&, const RunOptions&, const ssn::SsnRules&);
template int RunSsnRecordLoop<record::JsonlSyntax, RuleSet::Current>(TextSource&, const RunOptions&, const ssn::SsnRules&);
template int RunSsnRecordLoop<record::CsvSyntax, RuleSet::Current>(TextSource&, const RunOptions&, const ssn::SsnRules&);
template int RunCardRecordLoop<record::TsvSyntax, RuleSet::Classic>(TextSource&, const RunOptions&);
template int RunCardRecordLoop<record::JsonlSyntax, RuleSet::Classic>(TextSource&, const RunOptions&);
template int RunCardRecordLoop<record::CsvSyntax, RuleSet::Classic>(TextSource&, const RunOptions&);
template int RunCardRecordLoop<record::TsvSyntax, RuleSet::Current>(TextSource&, const RunOptions&);
template int RunCardRecordLoop<record::JsonlSyntax, RuleSet::Current>(TextSource&, const RunOptions&);
template int RunCardRecordLoop<record::CsvSyntax, RuleSet::Current>(TextSource&, const RunOptions&);

}  // namespace kalderos
