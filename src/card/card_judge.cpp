// The card rules one step at a time, for one text: how far the number runs, which type its leading digits
// name, whether it has that type's digit count, and whether its check digit is right.
#include <array>
#include <cstddef>
#include <string_view>

#include "bytes/char_class.h"
#include "card/card_outcome.h"

namespace kalderos::card {
namespace {

bool LuhnRight(std::string_view digits) {
    unsigned sum = 0;
    for (std::size_t from_end = 0; from_end < digits.size(); ++from_end) {
        unsigned digit = static_cast<unsigned>(digits[digits.size() - 1 - from_end] - '0');
        if (from_end % 2 == 1) digit = digit * 2 > 9 ? digit * 2 - 9 : digit * 2;  // the digit sum of its double
        sum += digit;
    }
    return sum % 10 == 0;
}

CardOutcome Outcome(std::size_t kind, CardReason reason, std::size_t type, CheckResult check, std::size_t length) {
    return {static_cast<std::uint8_t>(kind), reason, static_cast<std::uint8_t>(type), check,
            ClassificationResult(reason), length};
}

template <const CardTypeTable& table>
CardOutcome Judge(std::string_view text) {
    constexpr std::size_t other = table.rows.size() - 1;
    text = text.substr(0, text.find('\0'));  // a NUL ends the text

    // The number: digits and dashes from the start, until white space, a line end, the end of the text, the
    // last digit the table scans or the last character it looks at. Anything else makes the text no number.
    std::array<char, kCardReadAhead> digits{};
    std::size_t count = 0;
    std::size_t pos = 0;
    constexpr std::size_t kLimit = ScanLimit(table);
    constexpr std::size_t kScanned = DigitsScanned(table);
    constexpr std::size_t kShortest = ShortestLength(table);
    for (; pos < text.size() && pos < kLimit && count < kScanned; ++pos) {
        const char c = text[pos];
        if (bytes::IsSpace(c)) break;
        if (bytes::IsDigit(c)) {
            digits[count++] = c;
        } else if (c != '-') {
            return Outcome(kUnknownKind, CardReason::NotANumber, other, CheckResult::NotTested, text.size());
        }
    }
    if (count < kShortest) {
        return Outcome(kUnknownKind, CardReason::TooFewDigits, other, CheckResult::NotTested, text.size());
    }
    // From here on the text is cut behind the number.
    const std::string_view kept = text.substr(0, pos);
    const std::size_t dashes = pos - count;
    if (dashes != 0 && dashes != 2 && dashes != 3) {
        return Outcome(kUnknownKind, CardReason::BadDashes, other, CheckResult::NotTested, pos);
    }

    const std::string_view number(digits.data(), count);
    const std::size_t type = RowOfLeadingDigits(table, number);
    if (type == other) return Outcome(TypeKind(other), CardReason::UnknownPrefix, other, CheckResult::NotTested, pos);
    const CardTypeRow& row = table.rows[type];
    const std::size_t required = RequiredDigits(row, count);
    if (count < required) return Outcome(TypeKind(type), CardReason::TooFewDigits, type, CheckResult::NotTested, pos);
    // Where the dashes all stand within the number's required length, this is the digit after it.
    if (dashes + required < kept.size() && bytes::IsDigit(kept[dashes + required])) {
        return Outcome(kTooManyDigitsKind, CardReason::TooManyDigits, type, CheckResult::NotTested, pos);
    }
    if (row.check == CheckDigit::None) return Outcome(TypeKind(type), CardReason::Ok, type, CheckResult::NotTested, pos);
    if (LuhnRight(number.substr(0, required))) {
        return Outcome(TypeKind(type), CardReason::Ok, type, CheckResult::Right, pos);
    }
    return Outcome(TypeKind(type, false), CardReason::BadCheckDigit, type, CheckResult::Wrong, pos);
}

}  // namespace

CardOutcome JudgeCard(std::string_view text, RuleSet rules) {
    return WithRuleSet(rules, [text](auto set) { return Judge<TableOf(decltype(set)::value)>(text); });
}

}  // namespace kalderos::card
