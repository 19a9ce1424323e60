// The Checker of the public interface: the judges the program's loops call, and the record fields from the
// same derivations the record printers use, gathered into one result per text.
#include <array>
#include <cstring>
#include <type_traits>

#include "card/card_field_values.h"
#include "card/card_fields.h"
#include "card/card_outcome.h"
#include "card/written_card.h"
#include "kalderos/kalderos.h"
#include "rules/rule_sets.h"
#include "ssn/current_rules.h"
#include "ssn/issuance_window.h"
#include "ssn/ssn_field_values.h"
#include "ssn/ssn_fields.h"
#include "ssn/ssn_judgement.h"
#include "ssn/ssn_rules.h"

namespace kalderos {
namespace {

// A checker holds no pointer into itself: copied member by member, it judges as its original.
static_assert(std::is_trivially_copyable_v<HighestGroupTable> && std::is_trivially_copyable_v<detail::SsnRuleTables>);
static_assert(sizeof(Checker) == 4 + 4 + sizeof(HighestGroupTable) + detail::kCheckerRulesRoom,
              "a checker keeps the size of version 1.0");
static_assert(card::kCardReadAhead - 1 <= kMaxCardDigits, "a card result has room for every digit kept");

// The member of the public result that holds each field of the record, by a switch without a default: a field
// added to a record's list stops the build here until the result holds it. The input is the caller's own text.
template <class Member>
constexpr bool Holds(Member /*member*/) {
    return true;
}
constexpr bool ResultHolds(ssn::SsnField field) {
    using ssn::SsnField;
    switch (field) {
        case SsnField::Input:
            return true;
        case SsnField::WellFormed:
            return Holds(&SsnResult::well_formed);
        case SsnField::Area:
            return Holds(&SsnResult::area);
        case SsnField::Group:
            return Holds(&SsnResult::group);
        case SsnField::Serial:
            return Holds(&SsnResult::serial);
        case SsnField::Place:
            return Holds(&SsnResult::place);
        case SsnField::Verdict:
            return Holds(&SsnResult::verdict_name);
        case SsnField::Confirm:
            return Holds(&SsnResult::confirm);
        case SsnField::Reason:
            return Holds(&SsnResult::reason);
        case SsnField::IssuedAfter:
            return Holds(&SsnResult::issued_after);
        case SsnField::IssuedBy:
            return Holds(&SsnResult::issued_by);
        case SsnField::kCount:
            break;
    }
    return false;
}
constexpr bool ResultHolds(card::CardField field) {
    using card::CardField;
    switch (field) {
        case CardField::Input:
            return true;
        case CardField::Digits:
            return Holds(&CardResult::digit_text);
        case CardField::Type:
            return Holds(&CardResult::type);
        case CardField::Luhn:
            return Holds(&CardResult::luhn);
        case CardField::Outcome:
            return Holds(&CardResult::outcome);
        case CardField::Reason:
            return Holds(&CardResult::reason);
        case CardField::kCount:
            break;
    }
    return false;
}
template <class Field, std::size_t kCount>
constexpr bool ResultHoldsEvery() {
    for (std::size_t field = 0; field < kCount; ++field) {
        if (!ResultHolds(static_cast<Field>(field))) return false;
    }
    return true;
}
static_assert(ResultHoldsEvery<ssn::SsnField, ssn::kSsnFields.size()>() &&
              ResultHoldsEvery<card::CardField, card::kCardFields.size()>());

SsnResult SsnResultOf(const ssn::SsnJudgement& judgement) {
    const ssn::PlaceName* place = ssn::PlaceField(judgement);
    const ssn::IssuanceWindow window = ssn::WindowFields(ssn::PackedWindowTable(), judgement);
    SsnResult result;
    result.well_formed = judgement.WellFormed();
    result.area = judgement.number.area;  // 000-00-0000 for a text that is not well formed
    result.group = judgement.number.group;
    result.serial = judgement.number.serial;
    result.place = place == nullptr ? std::string_view{} : place->View();
    result.verdict = judgement.verdict;
    result.verdict_name = ssn::kVerdictNames[static_cast<std::size_t>(judgement.verdict)];
    result.confirm = judgement.Confirmed();
    result.reason = ssn::ReasonName(judgement.reason);
    result.issued_after = ssn::WindowMonth(window.issued_after);
    result.issued_by = ssn::WindowMonth(window.issued_by);
    return result;
}

template <RuleSet kSet>
SsnResult CheckSsnAs(ssn::SsnRules rules, std::string_view text) {
    const ssn::SsnJudge judge(rules);
    return SsnResultOf(ssn::JudgeWholeText<kSet>(judge, text));
}

// The strict reading of a card text. One the classifier's reach holds, as every card is, is copied where the
// bytes behind it may be read and read as the records read it: the slow reading looks at each byte for white space
// first and took the check to twice the time of a record.
template <RuleSet kRules>
card::CardReading ReadCard(std::string_view text, card::WrittenCopy& copy, card::WrittenCopy& padded) {
    if (text.size() > padded.size()) {
        return card::ClassifyWritten(
            text, kRules, copy, [](std::string_view number) { return card::ClassifyCardText<kRules>(number); });
    }
    padded.fill('\0');
    if (!text.empty()) std::memcpy(padded.data(), text.data(), text.size());
    return card::ClassifyAsWritten<kRules>(card::CopiedText(padded, text.size()), copy);
}

template <RuleSet kRules>
CardResult CheckCardAs(std::string_view text) {
    card::WrittenCopy copy;
    card::WrittenCopy padded;
    const card::CardReading reading = ReadCard<kRules>(text, copy, padded);
    const card::CardOutcome& outcome = reading.outcome;
    CardResult result;
    if (card::ShowsNumber(outcome)) {
        std::array<char, card::kDigitsRoom> digits{};
        result.digit_count = card::DigitsField(card::KeptPart(reading), digits);
        std::memcpy(result.digit_text.data(), digits.data(), result.digit_count);
        result.type = card::KindView(kRules, card::TypeFieldKind(outcome));
    }
    result.luhn = card::kLuhnNames[static_cast<std::size_t>(outcome.check)];
    result.outcome = card::KindView(kRules, outcome.kind);
    result.reason = card::ReasonName(outcome.reason);
    result.ok = outcome.reason == card::CardReason::Ok;
    return result;
}

}  // namespace

Checker::Checker(RuleSet rules) noexcept : Checker(rules, {}) {}

Checker::Checker(RuleSet rules, std::string_view group_file_text) noexcept : rules_(rules) {
    ssn::FillBuiltinGroupsOf(rules, table_);
    ReadGroupText(group_file_text, table_);
    tables_ = ssn::DeriveRuleTables(table_, rules);
    // Made now rather than on a first check that many threads may make at once.
    static_cast<void>(ssn::PackedWindowTable());
}

// Defined here, as in version 1.0, whose programs call them.
Checker::Checker(const Checker& other) noexcept = default;
Checker& Checker::operator=(const Checker& other) noexcept = default;

SsnResult Checker::CheckSsn(std::string_view text) const noexcept {
    const ssn::SsnRules rules(table_, tables_);
    return WithRuleSet(rules_, [&](auto set) { return CheckSsnAs<decltype(set)::value>(rules, text); });
}

CardResult Checker::CheckCard(std::string_view text) const noexcept {
    return WithRuleSet(rules_, [text](auto set) { return CheckCardAs<decltype(set)::value>(text); });
}

}  // namespace kalderos
