// Card types, one row each: the name printed, the leading digits that make a number one, the digit counts it may
// have, and whether its check digit is tested. Everything else the classifier looks up is derived from these
// rows at compile time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kalderos::card {

enum class CardType : int { Diners, Amex, Visa, MasterCard, Discover, Jcb16, Jcb15, EnRoute, Other };

struct CardTypeRow {
    CardType type;                               // the row's own position, so that a row cannot slip
    std::string_view name;
    std::array<std::string_view, 8> prefixes;    // at most four digits each; unused entries empty
    std::array<std::uint8_t, 2> lengths;         // ascending; unused entries 0
    bool luhn;                                   // the check digit is tested
};

// Where prefixes overlap (the lone "3" of JCB16 and the longer Diners and AMEX ones) the longest one wins.
// Other takes every number no prefix claims.
inline constexpr std::array<CardTypeRow, 9> kCardTypes{{
    {CardType::Diners, "DINERS", {"300", "301", "302", "303", "304", "305", "36", "38"}, {14}, true},
    {CardType::Amex, "AMEX", {"34", "37"}, {15}, true},
    {CardType::Visa, "VISA", {"4"}, {13, 16}, true},
    {CardType::MasterCard, "MasterCard", {"51", "52", "53", "54", "55"}, {16}, true},
    {CardType::Discover, "Discover", {"6011"}, {16}, true},
    {CardType::Jcb16, "JCB16", {"3"}, {16}, true},
    {CardType::Jcb15, "JCB15", {"2131", "1800"}, {15}, true},
    {CardType::EnRoute, "enRoute", {"2014", "2149"}, {15}, false},  // enRoute numbers carry no check digit
    {CardType::Other, "Other", {}, {}, false},
}};

constexpr const CardTypeRow& RowOf(CardType type) { return kCardTypes[static_cast<std::size_t>(type)]; }

// The digits a number of the type must have, given the `digits` it has: the first of the type's lengths that
// the count does not exceed, else the longest (so a 14-digit VISA number needs 16, a 15-digit DINERS one 14);
// 0 for Other.
constexpr std::size_t RequiredDigits(CardType type, std::size_t digits) {
    std::size_t required = 0;
    for (const std::uint8_t length : RowOf(type).lengths) {
        if (length == 0) break;
        required = length;
        if (digits <= length) break;
    }
    return required;
}

// No prefix is longer, so a number's first four digits decide its type.
inline constexpr std::size_t kMaxPrefixDigits = 4;

namespace detail {
constexpr bool TypesWellFormed() {
    for (std::size_t i = 0; i < kCardTypes.size(); ++i) {
        const CardTypeRow& row = kCardTypes[i];
        if (static_cast<std::size_t>(row.type) != i) return false;
        // The longest text the classifier writes is a type name with "_X", or "2MANY_DIGITS".
        if (row.name.empty() || row.name.size() + 2 > 12) return false;
        const bool other = row.type == CardType::Other;
        if (other != row.prefixes[0].empty() || other != (row.lengths[0] == 0) || (other && row.luhn)) return false;
        for (const std::string_view& prefix : row.prefixes) {
            if (prefix.size() > kMaxPrefixDigits) return false;
            for (const char c : prefix) {
                if (c < '0' || c > '9') return false;
            }
        }
        // The classifier counts 13 to 16 digits.
        if (!other && (row.lengths[0] < 13 || row.lengths[1] > 16 ||
                       (row.lengths[1] != 0 && row.lengths[1] <= row.lengths[0]))) {
            return false;
        }
    }
    return kCardTypes.back().type == CardType::Other;
}
}  // namespace detail
static_assert(detail::TypesWellFormed());
static_assert(RequiredDigits(CardType::Visa, 13) == 13 && RequiredDigits(CardType::Visa, 14) == 16 &&
              RequiredDigits(CardType::Diners, 16) == 14 && RequiredDigits(CardType::Other, 16) == 0);

}  // namespace kalderos::card
