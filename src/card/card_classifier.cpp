// Names a card type from the leading digits and digit count of a text and tests its Luhn check digit.
#include <cstring>

#include "card/card_type_table.h"
#include "kalderos/kalderos.h"

namespace kalderos {
namespace {

using card::CardType;

constexpr std::size_t kScanLimit = 20;  // characters looked at, digits and dashes together
constexpr std::size_t kMaxDigits = 16;

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

void SetKind(CardKind& kind, std::string_view text, std::string_view suffix = {}) {
    std::memcpy(kind.text.data(), text.data(), text.size());
    std::memcpy(kind.text.data() + text.size(), suffix.data(), suffix.size());
    kind.text[text.size() + suffix.size()] = '\0';
}

CardType MatchPrefix(std::string_view digits) {
    for (const card::CardPrefix& prefix : card::kCardPrefixes) {
        if (digits.substr(0, prefix.digits.size()) == prefix.digits) return prefix.type;
    }
    return CardType::Other;
}

// Counted from the check digit leftwards, every second digit is doubled and its digit sum taken.
bool LuhnPasses(std::string_view digits) {
    static constexpr int kDoubled[10] = {0, 2, 4, 6, 8, 1, 3, 5, 7, 9};
    int sum = 0;
    bool doubled = false;
    for (std::size_t i = digits.size(); i-- > 0;) {
        const int digit = digits[i] - '0';
        sum += doubled ? kDoubled[digit] : digit;
        doubled = !doubled;
    }
    return sum % 10 == 0;
}

}  // namespace

CardClassification ClassifyCard(std::string_view text, CardKind& kind) {
    const void* nul = text.empty() ? nullptr : std::memchr(text.data(), '\0', text.size());
    const std::size_t end = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()) : text.size();
    SetKind(kind, "UNKNOWN");

    char digits[kMaxDigits];
    std::size_t count = 0;
    std::size_t dashes = 0;
    std::size_t pos = 0;
    for (; pos < kScanLimit && pos < end && count < kMaxDigits; ++pos) {
        const char c = text[pos];
        if (IsDigit(c)) {
            digits[count++] = c;
        } else if (c == '-') {
            ++dashes;
        } else if (IsSpace(c)) {
            break;  // line ends are white space too
        } else {
            return {0, end};
        }
    }
    if (count < 13) return {0, end};
    // From here on the text is cut behind the number: a line end, trailing blanks, extra digits are gone.
    const std::size_t cut = pos;
    if (dashes != 0 && dashes != 2 && dashes != 3) return {0, cut};

    const std::string_view gathered(digits, count);
    const CardType type = MatchPrefix(gathered);
    const std::string_view name = card::kCardTypeNames[static_cast<std::size_t>(type)];
    SetKind(kind, name);
    if (type == CardType::Other) return {0, cut};

    const std::size_t required = card::RequiredDigits(type, count);
    if (count < required) return {0, cut};
    if (dashes + required < cut && IsDigit(text[dashes + required])) {
        SetKind(kind, "2MANY_DIGITS");
        return {0, cut};
    }
    if (type == CardType::EnRoute || LuhnPasses(gathered.substr(0, required))) return {1, cut};
    SetKind(kind, name, "_X");
    return {-1, cut};
}

}  // namespace kalderos
