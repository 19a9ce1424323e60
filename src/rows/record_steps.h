// The record formats' steps: each text judged on its own and printed by its format's printer, a list's line or a
// CSV cell alike; the program's loops and the library's CsvCheck use the same steps.
#pragma once

#include <string_view>

#include "bytes/byte_vectors.h"
#include "bytes/text_ends.h"
#include "card/card_outcome.h"
#include "card/written_card.h"
#include "io/output_stream.h"
#include "records/record_printers.h"
#include "rows/ssn_tally.h"
#include "ssn/ssn_judgement.h"

namespace kalderos {

// What a record step carries from one text to the next: nothing; each text is a whole line or cell. (The block
// loop's CarriesNothing says the same to steps of the layers above.)
struct RecordStepParts {
    struct Carry {};
    static bool Settles(std::string_view /*text*/, bool begins_line) { return begins_line; }
    static Carry Carried() { return {}; }
    static void Resume(const Carry& /*carried*/) {}
    static bool EndOfLines() { return false; }
};

// A card step that counts nothing beside its output.
struct CountsNoCards {
    static void Count(const card::CardOutcome& /*outcome*/) {}
    static void Add(const CountsNoCards& /*other*/) {}
};

template <class Syntax, RuleSet kSet, class SsnTally = NotIssuedTally>
class SsnRecordStep : public RecordStepParts {
public:
    using Tally = SsnTally;

    SsnRecordStep(OutputStream& out, const ssn::SsnJudge& judge, const GroupFileAreas& named)
        : printer_(out), judge_(judge), named_(named) {}
    bool CheckLine(bytes::Readable text) { return CheckCell(WithoutLineFeed(text)); }
    // A text without a line end: a line's, or a CSV cell's value.
    bool CheckCell(bytes::Readable value) {
        const bytes::Readable input = UpToNul(value);
        const ssn::SsnJudgement judgement = judge_.template JudgeAs<kSet>(input);
        printer_.Print(input, judgement);
        tally_.template Count<kSet>(judgement.reason, judgement.number.area, named_);
        return judgement.Fails();
    }
    bool Check(bytes::Readable text) { return CheckLine(text); }
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

template <class Syntax, RuleSet kRules, class CardTally = CountsNoCards>
class CardRecordStep : public RecordStepParts {
public:
    using Tally = CardTally;

    explicit CardRecordStep(OutputStream& out) : printer_(out) {}
    bool CheckLine(bytes::Readable text) { return CheckCell(WithoutLineFeed(text)); }
    // A text without a line end: a line's, or a CSV cell's value.
    bool CheckCell(bytes::Readable value) {
        const bytes::Readable input = UpToNul(value);
        card::WrittenCopy copy;
        const card::CardReading reading = card::ClassifyAsWritten<kRules>(input, copy);
        printer_.Print(input, reading);
        tally_.Count(reading.outcome);
        return reading.outcome.reason != card::CardReason::Ok;
    }
    bool Check(bytes::Readable text) { return CheckLine(text); }
    void Header() { printer_.Header(); }
    [[nodiscard]] Tally Tallied() const { return tally_; }
    void AddTally(const Tally& tally) { tally_.Add(tally); }

private:
    record::CardRecordPrinter<Syntax, kRules> printer_;
    [[no_unique_address]] Tally tally_;
};

}  // namespace kalderos
