// Card types by leading digits, with the digit count each type requires.
#pragma once

#include <array>
#include <string_view>

namespace kalderos::card {

enum class CardType : int { Diners, Amex, Visa, MasterCard, Discover, Jcb16, Jcb15, EnRoute, Other };

inline constexpr std::array<std::string_view, 9> kCardTypeNames{
    "DINERS", "AMEX", "VISA", "MasterCard", "Discover", "JCB16", "JCB15", "enRoute", "Other",
};

struct CardPrefix {
    std::string_view digits;
    CardType type;
};

// Tried in this order, first match wins: the lone "3" of JCB16 comes last so that it only takes what the
// Diners and Amex prefixes leave.
inline constexpr std::array<CardPrefix, 22> kCardPrefixes{{
    {"300", CardType::Diners},     {"301", CardType::Diners},     {"302", CardType::Diners},
    {"303", CardType::Diners},     {"304", CardType::Diners},     {"305", CardType::Diners},
    {"36", CardType::Diners},      {"38", CardType::Diners},      {"34", CardType::Amex},
    {"37", CardType::Amex},        {"4", CardType::Visa},         {"51", CardType::MasterCard},
    {"52", CardType::MasterCard},  {"53", CardType::MasterCard},  {"54", CardType::MasterCard},
    {"55", CardType::MasterCard},  {"6011", CardType::Discover},  {"2014", CardType::EnRoute},
    {"2149", CardType::EnRoute},   {"2131", CardType::Jcb15},     {"1800", CardType::Jcb15},
    {"3", CardType::Jcb16},
}};

// Digits a type requires; Visa's 13 becomes 16 when the number has a 14th digit.
constexpr std::size_t RequiredDigits(CardType type, std::size_t digits) {
    switch (type) {
        case CardType::Diners: return 14;
        case CardType::Amex: return 15;
        case CardType::Visa: return digits >= 14 ? 16 : 13;
        case CardType::MasterCard: return 16;
        case CardType::Discover: return 16;
        case CardType::Jcb16: return 16;
        case CardType::Jcb15: return 15;
        case CardType::EnRoute: return 15;
        case CardType::Other: break;
    }
    return 0;
}

namespace detail {
constexpr bool PrefixesWellFormed() {
    for (const CardPrefix& prefix : kCardPrefixes) {
        if (prefix.digits.empty() || prefix.digits.size() > 4 || prefix.type == CardType::Other) return false;
    }
    // The longest text the classifier writes is a type name with "_X", or "2MANY_DIGITS".
    for (const std::string_view name : kCardTypeNames) {
        if (name.size() + 2 > 12) return false;
    }
    return true;
}
}  // namespace detail
static_assert(detail::PrefixesWellFormed());

}  // namespace kalderos::card
