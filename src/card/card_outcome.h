// The classifier's answer as the card loop prints it: which type text, the result, and how much of the text is
// kept; and the classifier without the record, for a loop that can let it read past short texts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "card/card_type_table.h"

namespace kalderos::card {

// Bytes that may be read from the start of a text given to ClassifyCardText, however short the text is.
inline constexpr std::size_t kCardReadAhead = 32;

// A type text, padded with NULs to one size so that setting one is a single copy.
using KindText = std::array<char, 16>;

// Every text the classifier leaves, by number: UNKNOWN, 2MANY_DIGITS, then each type name followed by the same
// name with "_X".
inline constexpr std::size_t kUnknownKind = 0;
inline constexpr std::size_t kTooManyDigitsKind = 1;
inline constexpr std::size_t kKindCount = 2 + 2 * kCardTypes.size();

constexpr std::size_t TypeKind(CardType type, bool check_digit_right = true) {
    return 2 + 2 * static_cast<std::size_t>(type) + (check_digit_right ? 0 : 1);
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

inline constexpr std::array<KindText, kKindCount> kKindTexts = [] {
    std::array<KindText, kKindCount> texts{};
    texts[kUnknownKind] = detail::MakeKindText("UNKNOWN");
    texts[kTooManyDigitsKind] = detail::MakeKindText("2MANY_DIGITS");
    for (const CardTypeRow& row : kCardTypes) {
        texts[TypeKind(row.type)] = detail::MakeKindText(row.name);
        texts[TypeKind(row.type, false)] = detail::MakeKindText(row.name, "_X");
    }
    return texts;
}();
static_assert(kKindTexts[kTooManyDigitsKind].back() == '\0' && kKindTexts[TypeKind(CardType::MasterCard, false)].back() == '\0');

constexpr std::string_view KindView(std::size_t kind) {
    const KindText& text = kKindTexts[kind];
    std::size_t length = 0;
    while (text[length] != '\0') ++length;
    return {text.data(), length};
}

// Why a text is classified as it is, first cause first. The names are a stable interface of the record
// formats: new reasons may be added, none renamed.
enum class CardReason : std::uint8_t {
    Ok,              // a known type, its digit count, and its check digit right where the type has one
    NotANumber,      // UNKNOWN: something other than digits and dashes before the number's end
    BadDashes,       // UNKNOWN: one dash, or more than three, among the digits
    TooFewDigits,    // UNKNOWN below 13 digits; a type name when fewer than the type needs
    UnknownPrefix,   // Other: no type has the number's leading digits
    TooManyDigits,   // 2MANY_DIGITS
    BadCheckDigit,   // a type name with "_X"
};

inline constexpr std::array<std::string_view, 7> kCardReasonNames{
    "ok", "not-a-number", "bad-dashes", "too-few-digits", "unknown-prefix", "too-many-digits", "bad-check-digit",
};
static_assert(kCardReasonNames[static_cast<std::size_t>(CardReason::BadCheckDigit)] == "bad-check-digit" &&
              kCardReasonNames[static_cast<std::size_t>(CardReason::UnknownPrefix)] == "unknown-prefix");

constexpr std::string_view ReasonName(CardReason reason) { return kCardReasonNames[static_cast<std::size_t>(reason)]; }

struct CardOutcome {
    std::uint8_t kind;    // one of the numbers above
    CardReason reason;
    std::uint8_t type;    // the CardType of the number's leading digits; Other for UNKNOWN
    int result;           // as CardClassification's
    std::size_t length;   // as CardClassification's
};

// ClassifyCard's work on a text of `size` bytes from whose start kCardReadAhead bytes may be read.
[[nodiscard]] CardOutcome ClassifyReadable(const char* text, std::size_t size);

// The same for a text that may end anywhere.
[[nodiscard]] CardOutcome ClassifyCardText(std::string_view text);

}  // namespace kalderos::card
