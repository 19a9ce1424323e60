// The judgement of a card text, as every format prints it: which type text, the type, the check digit, the reason,
// and how much of the text is kept; the rules that give it, and the fast classifier behind the same contract.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

#include "bytes/readable.h"
#include "card/card_type_table.h"

namespace kalderos::card {

// Bytes the classifier reads from the start of a text, as masks of what each holds.
inline constexpr std::size_t kCardReadAhead = 32;
static_assert(ScanLimit(kClassicCards) < kCardReadAhead && ScanLimit(kCurrentCards) < kCardReadAhead &&
              kCardReadAhead <= bytes::kReadAhead);

// A type text, padded with NULs to one size so that setting one is a single copy.
using KindText = std::array<char, kKindTextSize>;

// Every text the classifier leaves, by number: UNKNOWN, 2MANY_DIGITS, then each type name followed by the same
// name with "_X".
inline constexpr std::size_t kUnknownKind = 0;
inline constexpr std::size_t kTooManyDigitsKind = 1;

constexpr std::size_t KindCount(const CardTypeTable& table) { return 2 + 2 * table.rows.size(); }

constexpr std::size_t TypeKind(std::size_t type, bool check_digit_right = true) {
    return 2 + 2 * type + (check_digit_right ? 0 : 1);
}

namespace detail {
constexpr KindText MakeKindText(std::string_view name, std::string_view suffix = "") {
    KindText text{};
    std::size_t at = 0;
    for (const char c : name) text[at++] = c;
    for (const char c : suffix) text[at++] = c;  // a text without room for its NUL fails the build below
    return text;
}
}  // namespace detail

template <const CardTypeTable& kTable>
inline constexpr std::array<KindText, KindCount(kTable)> kKindTextsOf = [] {
    std::array<KindText, KindCount(kTable)> texts{};
    texts[kUnknownKind] = detail::MakeKindText("UNKNOWN");
    texts[kTooManyDigitsKind] = detail::MakeKindText("2MANY_DIGITS");
    for (std::size_t type = 0; type < kTable.rows.size(); ++type) {
        texts[TypeKind(type)] = detail::MakeKindText(kTable.rows[type].name);
        texts[TypeKind(type, false)] = detail::MakeKindText(kTable.rows[type].name, "_X");
    }
    return texts;
}();

// The kind texts of the classic table, which the program prints without a choice of rules.
inline constexpr const auto& kKindTexts = kKindTextsOf<kClassicCards>;
static_assert(kKindTexts[kTooManyDigitsKind].back() == '\0' &&
              kKindTexts[TypeKind(RowNamed(kClassicCards, "MasterCard"), false)].back() == '\0');

constexpr std::span<const KindText> KindTexts(RuleSet rules) {
    return WithRuleSet(rules, [](auto set) { return std::span<const KindText>(kKindTextsOf<TableOf(decltype(set)::value)>); });
}

// The same texts as views, measured once here rather than on every call: the library's checker asks for two a card.
template <const CardTypeTable& kTable>
inline constexpr std::array<std::string_view, KindCount(kTable)> kKindViewsOf = [] {
    std::array<std::string_view, KindCount(kTable)> views{};
    for (std::size_t kind = 0; kind < views.size(); ++kind) {
        const KindText& text = kKindTextsOf<kTable>[kind];
        std::size_t length = 0;
        while (text[length] != '\0') ++length;
        views[kind] = {text.data(), length};
    }
    return views;
}();

constexpr std::string_view KindView(RuleSet rules, std::size_t kind) {
    return WithRuleSet(rules, [kind](auto set) { return kKindViewsOf<TableOf(decltype(set)::value)>[kind]; });
}

// Why a text is classified as it is, first cause first. The names are a stable interface of the record
// formats: new reasons may be added, none renamed.
enum class CardReason : std::uint8_t {
    Ok,              // a known type, its digit count, and its check digit right where the type has one
    NotANumber,      // UNKNOWN: something other than digits and dashes before the number's end; in the strict
                     // reading also white space inside but for single blanks between digits
    BadDashes,       // UNKNOWN: one dash, or more than three, among the digits
    TooFewDigits,    // UNKNOWN below the shortest number of the table; a type name below the type's count
    UnknownPrefix,   // Other: no type has the number's leading digits
    TooManyDigits,   // 2MANY_DIGITS
    BadCheckDigit,   // a type name with "_X"
    Empty,           // UNKNOWN: nothing but blanks, or nothing at all (the strict reading's, never the classifier's)
    kCount,          // not a reason: how many there are
};

inline constexpr std::size_t kCardReasonCount = static_cast<std::size_t>(CardReason::kCount);

// Every reason named: an entry missing from the list leaves an empty name, which the check below refuses.
inline constexpr std::array<std::string_view, kCardReasonCount> kCardReasonNames{
    "ok", "not-a-number", "bad-dashes", "too-few-digits", "unknown-prefix", "too-many-digits", "bad-check-digit",
    "empty",
};
static_assert(!kCardReasonNames.back().empty() &&
              kCardReasonNames[static_cast<std::size_t>(CardReason::Empty)] == "empty" &&
              kCardReasonNames[static_cast<std::size_t>(CardReason::BadCheckDigit)] == "bad-check-digit" &&
              kCardReasonNames[static_cast<std::size_t>(CardReason::UnknownPrefix)] == "unknown-prefix");

constexpr std::string_view ReasonName(CardReason reason) { return kCardReasonNames[static_cast<std::size_t>(reason)]; }

enum class CheckResult : std::uint8_t { NotTested, Right, Wrong };

// What ClassifyCard's result says of a reason.
constexpr int ClassificationResult(CardReason reason) {
    if (reason == CardReason::Ok) return CardClassification::kPassed;
    return reason == CardReason::BadCheckDigit ? CardClassification::kWrongCheckDigit
                                               : CardClassification::kNotRecognised;
}

// The judgement of one card text. Its digits are those of the kept part, the text's first `length` bytes.
struct CardOutcome {
    std::uint8_t kind;    // one of the numbers above
    CardReason reason;
    std::uint8_t type;    // the row of the number's leading digits; the last row (Other) for UNKNOWN
    CheckResult check;    // tested only for a type with a check digit whose number has its digit count
    int result;           // as CardClassification's
    std::size_t length;   // as CardClassification's
};

// The rules, step by step: what every other classification must agree with.
[[nodiscard]] CardOutcome JudgeCard(std::string_view text, RuleSet rules);

// The same judgement, fast, under the table of `kRules`. Made for every rule set in card_classifier.cpp.
template <RuleSet kRules>
[[nodiscard]] CardOutcome ClassifyReadable(bytes::Readable text);

// The same for a text that may end anywhere.
template <RuleSet kRules>
[[nodiscard]] CardOutcome ClassifyCardText(std::string_view text) {
    return ClassifyReadable<kRules>(bytes::ReadableCopy(text).Get());
}

}  // namespace kalderos::card
