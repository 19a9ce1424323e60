// The library's CsvCheck: the program's CSV path (the reader, the row step and the record steps of the
// program's --column runs) over pieces the caller feeds, writing into memory.
#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bytes/byte_vectors.h"
#include "card/card_outcome.h"
#include "csv/csv_machine.h"
#include "csv/csv_reader.h"
#include "csv/csv_writer.h"
#include "csv/utf16_text.h"
#include "io/output_stream.h"
#include "kalderos/kalderos.h"
#include "records/record_writer.h"
#include "rows/csv_column_choice.h"
#include "rows/csv_row_step.h"
#include "rows/record_steps.h"
#include "rows/ssn_tally.h"
#include "rules/rule_sets.h"
#include "ssn/current_rules.h"
#include "ssn/ssn_fields.h"
#include "ssn/ssn_judgement.h"
#include "ssn/ssn_reason.h"
#include "ssn/ssn_rules.h"

namespace kalderos {

// What every engine shares: the options, the output, the input's start (a UTF-16 mark, then a UTF-8 one), the
// status. The rows themselves go to the step of the format and rule set (EngineOf below).
class CsvEngine {
public:
    explicit CsvEngine(const CsvCheckOptions& options)
        : options_(options), name_(options.column_name), out_(OutputStream::InMemory{}) {
        options_.column_name = name_;
        if (!csv::CanDelimit(options.delimiter) ||
            (options.output_delimiter != 0 && !csv::CanDelimit(options.output_delimiter))) {
            Refuse("a quote or a line end cannot part the fields of a row");
        } else if (name_.empty() && options.column_number == 0) {
            Refuse("no column given: give the column's name or its number from 1");
        } else if (!options.header && options.column_number == 0) {
            Refuse("without a header row the column is given by its number");
        }
    }
    virtual ~CsvEngine() = default;
    CsvEngine(const CsvEngine&) = delete;
    CsvEngine& operator=(const CsvEngine&) = delete;

    void Feed(std::string_view piece) {
        if (status_ != CsvStatus::Checking) return;
        if (!decided_) {
            raw_start_.append(piece);
            if (raw_start_.size() < 2) return;
            Decide();
            return;
        }
        Decoded(piece);
    }

    void Finish() {
        if (status_ != CsvStatus::Checking) return;
        if (!decided_) Decide();
        if (decoder_) {
            std::array<char, 8> tail{};
            Utf8({tail.data(), decoder_->Finish(tail.data())});
        }
        if (!bom_decided_) StartUtf8();
        if (status_ != CsvStatus::Checking) return;
        EndRows();
        if (status_ == CsvStatus::Checking) status_ = CsvStatus::Done;
    }

    [[nodiscard]] std::string_view Output() const { return out_.Contents(); }
    void ClearOutput() { out_.Clear(); }
    [[nodiscard]] CsvStatus Status() const { return status_; }
    [[nodiscard]] std::string_view Message() const { return message_; }
    [[nodiscard]] std::uint64_t Rows() const { return rows_; }
    [[nodiscard]] const CsvCount* Counts(std::size_t* size) {
        counts_.clear();
        AddCounts(counts_);
        *size = counts_.size();
        return counts_.data();
    }

protected:
    // The rows of the input's UTF-8 bytes after its mark; and the end of those rows.
    virtual void ReadRows(bytes::Readable rows) = 0;
    virtual void EndRows() = 0;
    virtual void AddCounts(std::vector<CsvCount>& counts) const = 0;

    void Refuse(std::string message) {
        status_ = CsvStatus::Refused;
        message_ = std::move(message);
        out_.Clear();
    }

    // The first row: the header, whose column is found, or without a header the first data row's width.
    // False where the input lacks the column.
    bool Start(const csv::Row& row) {
        layout_.delimiter = options_.output_delimiter != 0 ? options_.output_delimiter : options_.delimiter;
        layout_.line_end = csv::LineEndBytes(row.end);
        layout_.width = row.cells.size();
        if (!options_.header) {
            layout_.column = options_.column_number - 1;
            if (layout_.column < layout_.width) return true;
            Refuse(NoColumnNumbered(options_.column_number, "the first row of the input", layout_.width));
            return false;
        }
        std::vector<std::string> names;
        for (const csv::Cell& cell : row.cells) names.emplace_back(cell.value);
        const std::optional<std::string> refusal =
            ChooseColumn(names, row.raw.data() != nullptr ? row.raw : std::string_view{},
                         {options_.column_name, options_.column_number, options_.delimiter},
                         "the header row of the input", layout_.column);
        if (refusal) Refuse(*refusal);
        return !refusal;
    }
    // Called once the first row is taken: the mark a spreadsheet reads the output as UTF-8 by.
    void WriteMark() {
        if (byte_order_mark_ && Echoes()) out_.Write(csv::kByteOrderMark);
    }
    void EndedInOpenQuote() {
        status_ = CsvStatus::OpenQuote;
        message_ = "a quoted field is still open at the end of the input";
    }
    [[nodiscard]] bool Echoes() const { return options_.format == CsvOutput::Csv; }
    [[nodiscard]] CsvRowOptions RowOptions() const { return {options_.delimiter, Echoes()}; }

    CsvCheckOptions options_;
    std::string name_;
    OutputStream out_;
    CsvLayout layout_;
    std::uint64_t rows_ = 0;

private:
    // The first two bytes tell whether the input is UTF-16.
    void Decide() {
        decided_ = true;
        if (raw_start_.size() >= 2) {
            if (const std::optional<csv::ByteOrder> order = csv::Utf16Order(raw_start_[0], raw_start_[1])) {
                decoder_.emplace(*order);
            }
        }
        std::string start;
        start.swap(raw_start_);
        Decoded(start);
    }
    void Decoded(std::string_view piece) {
        if (!decoder_) return Utf8(piece);
        decoded_.resize(csv::Utf16Decoder::RoomFor(piece.size()));
        const std::size_t size = decoder_->Decode(piece.data(), piece.size(), decoded_.data());
        Utf8({decoded_.data(), size});
    }
    // The UTF-8 bytes: after a byte-order mark, if the first three are one, the rows.
    void Utf8(std::string_view bytes) {
        if (status_ != CsvStatus::Checking) return;
        if (!bom_decided_) {
            utf8_start_.append(bytes);
            if (utf8_start_.size() < csv::kByteOrderMark.size()) return;
            StartUtf8();
            return;
        }
        ReadUtf8Rows(bytes);
    }
    void StartUtf8() {
        bom_decided_ = true;
        std::string start;
        start.swap(utf8_start_);
        std::string_view rest = start;
        byte_order_mark_ = rest.starts_with(csv::kByteOrderMark);
        if (byte_order_mark_) rest.remove_prefix(csv::kByteOrderMark.size());
        ReadUtf8Rows(rest);
    }
    void ReadUtf8Rows(std::string_view bytes) {
        if (bytes.empty() || status_ != CsvStatus::Checking) return;
        // A copy with room behind it, as the program's blocks have, for the cells handed out.
        padded_.assign(bytes.size() + bytes::kReadAhead, '\0');
        std::memcpy(padded_.data(), bytes.data(), bytes.size());
        ReadRows(bytes::Readable::WithRoomBehind(padded_.data(), bytes.size()));
    }

    CsvStatus status_ = CsvStatus::Checking;
    std::string message_;
    bool decided_ = false;
    std::string raw_start_;
    std::optional<csv::Utf16Decoder> decoder_;
    std::string decoded_;
    bool bom_decided_ = false;
    std::string utf8_start_;
    bool byte_order_mark_ = false;
    std::string padded_;
    std::vector<CsvCount> counts_;
};

namespace {

// The rows through the step `make_step(OutputStream&)` makes, as the program's loop does with one job.
template <class MakeStep>
class EngineOf : public CsvEngine {
public:
    using Inner = decltype(std::declval<MakeStep&>()(std::declval<OutputStream&>()));
    using Step = decltype(MakeCsvRowStep(std::declval<MakeStep&>(), std::declval<OutputStream&>(),
                                         std::declval<const CsvLayout&>(), std::declval<const CsvRowOptions&>()));

    EngineOf(const CsvCheckOptions& options, MakeStep make_step)
        : CsvEngine(options), make_step_(std::move(make_step)), reader_(options.delimiter) {}

    bool TakeRow(const csv::Row& row) {
        if (row.open_quote) open_quote_ = true;
        if (!step_) {
            if (!Start(row)) return false;
            row_options_ = RowOptions();
            step_.emplace(MakeCsvRowStep(make_step_, out_, layout_, row_options_));
            WriteMark();
            if (options_.header) {
                step_->Header(row);
                return true;
            }
        }
        ++rows_;
        return step_->TakeRow(row);
    }

protected:
    void ReadRows(bytes::Readable rows) override { reader_.Read(rows.data(), rows.size(), *this); }
    void EndRows() override {
        reader_.Finish(*this);
        if (open_quote_ && Status() == CsvStatus::Checking) EndedInOpenQuote();
    }
    void AddCounts(std::vector<CsvCount>& counts) const override {
        if (step_) return Inner::Tally::AddCounts(step_->Tallied(), counts);
        Inner::Tally::AddCounts({}, counts);
    }

private:
    MakeStep make_step_;
    csv::Reader reader_;
    CsvRowOptions row_options_;
    std::optional<Step> step_;
    bool open_quote_ = false;
};

// Every reason of the SSNs checked, and the verdicts they come to.
struct SsnCounts : SsnSummaryTally {
    static void AddCounts(const SsnSummaryTally& tally, std::vector<CsvCount>& counts) {
        const SsnReasonTally reasons = tally.Reasons();
        std::array<std::uint64_t, ssn::kVerdictNames.size()> verdicts{};
        for (std::size_t reason = 0; reason < ssn::kSsnReasonCount; ++reason) {
            verdicts[static_cast<std::size_t>(ssn::VerdictOf(static_cast<ssn::SsnReason>(reason)))] +=
                reasons.reasons[reason];
        }
        for (std::size_t verdict = 0; verdict < verdicts.size(); ++verdict) {
            counts.push_back({"verdict", ssn::kVerdictNames[verdict], verdicts[verdict]});
        }
        for (std::size_t reason = 0; reason < ssn::kSsnReasonCount; ++reason) {
            counts.push_back({"reason", ssn::kSsnReasonNames[reason], reasons.reasons[reason]});
        }
    }
};

// The card types (each with its check digit right or wrong) and the reasons of the cards checked.
template <RuleSet kRules>
struct CardCounts {
    std::array<std::uint64_t, card::KindCount(card::TableOf(kRules))> kinds{};
    std::array<std::uint64_t, card::kCardReasonCount> reasons{};

    void Count(const card::CardOutcome& outcome) {
        ++kinds[outcome.kind];
        ++reasons[static_cast<std::size_t>(outcome.reason)];
    }
    void Add(const CardCounts& other) {
        for (std::size_t i = 0; i < kinds.size(); ++i) kinds[i] += other.kinds[i];
        for (std::size_t i = 0; i < reasons.size(); ++i) reasons[i] += other.reasons[i];
    }
    static void AddCounts(const CardCounts& tally, std::vector<CsvCount>& counts) {
        for (std::size_t kind = 0; kind < tally.kinds.size(); ++kind) {
            counts.push_back({"type", card::KindView(kRules, kind), tally.kinds[kind]});
        }
        for (std::size_t reason = 0; reason < tally.reasons.size(); ++reason) {
            counts.push_back({"reason", card::kCardReasonNames[reason], tally.reasons[reason]});
        }
    }
};

// What the SSN steps judge by: the built-in groups of the rule set, no group file.
struct SsnJudgeOf {
    HighestGroupTable table;
    kalderos::detail::SsnRuleTables tables;
    std::optional<ssn::SsnJudge> judge;
    GroupFileAreas named{};

    explicit SsnJudgeOf(RuleSet set) {
        ssn::FillBuiltinGroupsOf(set, table);
        tables = ssn::DeriveRuleTables(table, set);
        judge.emplace(ssn::SsnRules(table, tables));
    }
};

template <class Syntax, RuleSet kSet>
std::unique_ptr<CsvEngine> SsnEngine(const CsvCheckOptions& options) {
    // Held by the engine's step maker, which the steps refer to: made once, never moved after. (Not a shared_ptr,
    // whose control block's typeinfo the shared library would export.)
    auto make = [judged = std::make_unique<const SsnJudgeOf>(kSet)](OutputStream& out) {
        return SsnRecordStep<Syntax, kSet, SsnCounts>(out, *judged->judge, judged->named);
    };
    return std::make_unique<EngineOf<decltype(make)>>(options, std::move(make));
}

template <class Syntax, RuleSet kRules>
std::unique_ptr<CsvEngine> CardEngine(const CsvCheckOptions& options) {
    auto make = [](OutputStream& out) { return CardRecordStep<Syntax, kRules, CardCounts<kRules>>(out); };
    return std::make_unique<EngineOf<decltype(make)>>(options, std::move(make));
}

template <class Syntax>
std::unique_ptr<CsvEngine> EngineIn(const CsvCheckOptions& options) {
    return WithRuleSet(options.rules, [&](auto set) {
        return options.cards ? CardEngine<Syntax, decltype(set)::value>(options)
                             : SsnEngine<Syntax, decltype(set)::value>(options);
    });
}

std::unique_ptr<CsvEngine> MakeEngine(const CsvCheckOptions& options) {
    switch (options.format) {
        case CsvOutput::Csv:
            return EngineIn<record::CsvSyntax>(options);
        case CsvOutput::Tsv:
            return EngineIn<record::TsvSyntax>(options);
        case CsvOutput::Jsonl:
            return EngineIn<record::JsonlSyntax>(options);
    }
    return nullptr;
}

}  // namespace

CsvCheck::CsvCheck(const CsvCheckOptions& options) : engine_(MakeEngine(options)) {}
CsvCheck::~CsvCheck() = default;
CsvCheck::CsvCheck(CsvCheck&&) noexcept = default;
CsvCheck& CsvCheck::operator=(CsvCheck&&) noexcept = default;

void CsvCheck::Feed(std::string_view piece) { engine_->Feed(piece); }
void CsvCheck::Finish() { engine_->Finish(); }
std::string_view CsvCheck::Output() const noexcept { return engine_->Output(); }
void CsvCheck::ClearOutput() noexcept { engine_->ClearOutput(); }
CsvStatus CsvCheck::Status() const noexcept { return engine_->Status(); }
std::string_view CsvCheck::Message() const noexcept { return engine_->Message(); }
std::uint64_t CsvCheck::Rows() const noexcept { return engine_->Rows(); }
const CsvCount* CsvCheck::Counts(std::size_t* size) const { return engine_->Counts(size); }

}  // namespace kalderos
