// The summary loops: each text judged on its own, as a record would be, and only its reason (and a card's type)
// counted; each block's step counts its own texts and the writing thread adds the counts up.
#include "driver/loops.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "card/card_field_values.h"
#include "card/card_outcome.h"
#include "card/written_card.h"
#include "driver/text_loop.h"
#include "lists/block_loop.h"
#include "lists/line_reader.h"
#include "records/summary_table.h"
#include "rows/ssn_tally.h"
#include "rules/rule_sets.h"
#include "ssn/ssn_fields.h"
#include "ssn/ssn_judgement.h"

namespace kalderos {
namespace {

template <RuleSet kSet>
class SsnSummaryStep : public CarriesNothing {
public:
    using Tally = SsnSummaryTally;

    SsnSummaryStep(const ssn::SsnJudge& judge, const GroupFileAreas& named) : judge_(judge), named_(named) {}
    bool CheckLine(bytes::Readable text) { return CheckCell(WithoutLineFeed(text)); }
    // A text without a line end: a line's, or a CSV cell's value.
    bool CheckCell(bytes::Readable value) {
        const ssn::SsnJudgement judgement = judge_.template JudgeAs<kSet>(UpToNul(value));
        tally_.template Count<kSet>(judgement.reason, judgement.number.area, named_);
        return judgement.Fails();
    }
    bool Check(bytes::Readable text) { return CheckLine(text); }
    [[nodiscard]] const Tally& Tallied() const { return tally_; }
    void AddTally(const Tally& tally) { tally_.Add(tally); }

private:
    const ssn::SsnJudge& judge_;
    const GroupFileAreas& named_;
    Tally tally_;
};

// The verdicts, from the reasons that give them, and the reasons.
Summary SsnSummary(const SsnReasonTally& tally) {
    Summary summary;
    std::array<std::uint64_t, ssn::kVerdictNames.size()> verdicts{};
    SummaryGroup reasons{"reason", {}};
    for (std::size_t i = 0; i < ssn::kSsnReasonCount; ++i) {
        const auto reason = static_cast<ssn::SsnReason>(i);
        summary.checked += tally.Of(reason);
        verdicts[static_cast<std::size_t>(ssn::VerdictOf(reason))] += tally.Of(reason);
        reasons.rows.push_back({ssn::ReasonName(reason), tally.Of(reason)});
    }
    SummaryGroup verdict_group{"verdict", {}, true};
    for (std::size_t i = 0; i < verdicts.size(); ++i) verdict_group.rows.push_back({ssn::kVerdictNames[i], verdicts[i]});
    summary.groups = {verdict_group, reasons};
    return summary;
}

// A card's type, by its row, the row after the last for a text that is no number (whose record has no type),
// and its reason.
template <RuleSet kRules>
struct CardTally {
    static constexpr std::size_t kRows = card::TableOf(kRules).rows.size();
    std::array<std::uint64_t, kRows + 1> types{};
    std::array<std::uint64_t, card::kCardReasonCount> reasons{};

    void Count(const card::CardOutcome& outcome) {
        ++types[card::ShowsNumber(outcome) ? outcome.type : kRows];
        ++reasons[static_cast<std::size_t>(outcome.reason)];
    }
    void Add(const CardTally& other) {
        for (std::size_t i = 0; i < types.size(); ++i) types[i] += other.types[i];
        for (std::size_t i = 0; i < reasons.size(); ++i) reasons[i] += other.reasons[i];
    }
};

template <RuleSet kRules>
class CardSummaryStep : public CarriesNothing {
public:
    using Tally = CardTally<kRules>;

    bool CheckLine(bytes::Readable text) { return CheckCell(WithoutLineFeed(text)); }
    // A text without a line end: a line's, or a CSV cell's value.
    bool CheckCell(bytes::Readable value) {
        card::WrittenCopy copy;
        const card::CardOutcome outcome = card::ClassifyAsWritten<kRules>(UpToNul(value), copy).outcome;
        tally_.Count(outcome);
        return outcome.reason != card::CardReason::Ok;
    }
    bool Check(bytes::Readable text) { return CheckLine(text); }
    [[nodiscard]] const Tally& Tallied() const { return tally_; }
    void AddTally(const Tally& tally) { tally_.Add(tally); }

private:
    Tally tally_;
};

template <RuleSet kRules>
Summary CardSummary(const CardTally<kRules>& tally) {
    Summary summary;
    SummaryGroup types{"type", {}};
    for (std::size_t type = 0; type < CardTally<kRules>::kRows; ++type) {
        types.rows.push_back({card::KindView(kRules, card::TypeKind(type)), tally.types[type]});
        summary.checked += tally.types[type];
    }
    types.rows.push_back({"none", tally.types.back()});
    summary.checked += tally.types.back();
    SummaryGroup reasons{"reason", {}};
    for (std::size_t i = 0; i < card::kCardReasonCount; ++i) {
        reasons.rows.push_back({card::ReasonName(static_cast<card::CardReason>(i)), tally.reasons[i]});
    }
    summary.groups = {types, reasons};
    return summary;
}

}  // namespace

template <RuleSet kSet>
int RunSsnSummaryLoop(TextSource& texts, const RunOptions& options, const ssn::SsnRules& rules) {
    const ssn::SsnJudge judge(rules);
    return CheckEveryText(
        texts, options, [&](OutputStream& /*out*/) { return SsnSummaryStep<kSet>(judge, options.group_file_areas); },
        [&](const SsnSummaryStep<kSet>& step) {
            PrintSummary(SsnSummary(step.Tallied().Reasons()), options.format, options.header, options.quiet);
            HintAtOrderOfIssue(options, step.Tallied().NotIssued());
        });
}

template <RuleSet kRules>
int RunCardSummaryLoop(TextSource& texts, const RunOptions& options) {
    return CheckEveryText(
        texts, options, [](OutputStream& /*out*/) { return CardSummaryStep<kRules>(); },
        [&](const CardSummaryStep<kRules>& step) {
            PrintSummary(CardSummary<kRules>(step.Tallied()), options.format, options.header, options.quiet);
        });
}

#define KALDEROS_MADE_FOR(kSet) \
    template int RunSsnSummaryLoop<kSet>(TextSource&, const RunOptions&, const ssn::SsnRules&); \
    template int RunCardSummaryLoop<kSet>(TextSource&, const RunOptions&);
KALDEROS_EACH_RULE_SET(KALDEROS_MADE_FOR)
#undef KALDEROS_MADE_FOR

}  // namespace kalderos
