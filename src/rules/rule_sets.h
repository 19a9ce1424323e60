// The rule sets, a row each: everything that differs from one set to the next is read from its row, by the
// judges, the printers, the command line, the help and banner texts and the Python and JavaScript names alike.
// A new set is a value of RuleSet, its place in RowIndexOf, a row here and an entry of the list of instantiations
// below; the build fails until the four agree.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>
#include <utility>

#include "kalderos/kalderos.h"

namespace kalderos {

// The highest groups a set judges by before any group file.
enum class BuiltinGroups : std::uint8_t {
    Classic,   // the built-in list of the areas' highest groups
    June2011,  // the last list published before issuance became random (24 June 2011)
};

// The card networks a set names.
enum class CardNetworks : std::uint8_t {
    Classic,  // the classic table, which cuts a longer number to the longest length
    Today,    // today's networks, which refuse a longer number
};

struct RuleSetRow {
    RuleSet set;
    std::string_view name;    // the value of --rules, and the name Python and JavaScript take
    std::string_view help;    // what --help says of the value
    std::string_view banner;  // what the banner's rules line says after "Rules: NAME - "
    // SSNs: whether a group later in the order of issue than its area's highest is invalid (otherwise a valid
    // number so issued is marked as issued at random, and CONFIRM marks valid numbers only); whether areas
    // 773-899, opened after the data was taken, are unknown; whether the misused numbers published since the
    // classic list are invalid too.
    bool order_of_issue_decides;
    bool areas_after_2011_unknown;
    bool later_known_invalid;
    // What an invalid number's line shows for an area that names no place: "(null)", or "NEVER ASSIGNED".
    bool shows_never_assigned;
    BuiltinGroups groups;
    CardNetworks cards;
    // The width of the text column of a card line: the longest number the table keeps whole, with three dashes
    // (the classic column has one blank more).
    std::size_t card_text_width;
};

inline constexpr std::array<RuleSetRow, 2> kRuleSetTable{{
    {.set = RuleSet::Classic,
     .name = "classic",
     .help = "SSNs by the built-in data, cards by the classic table",
     .banner = "SSNs by area and group issued to 4/2011, classic cards",
     .order_of_issue_decides = true,
     .areas_after_2011_unknown = true,
     .later_known_invalid = false,
     .shows_never_assigned = false,
     .groups = BuiltinGroups::Classic,
     .cards = CardNetworks::Classic,
     .card_text_width = 20},
    {.set = RuleSet::Current,
     .name = "current",
     .help = "SSNs as issued since issuance became random in 06/2011 (-g overlays the list of 06/2011), cards by "
             "today's networks",
     .banner = "SSNs as issued at random since 06/2011, today's cards",
     .order_of_issue_decides = false,
     .areas_after_2011_unknown = false,
     .later_known_invalid = true,
     .shows_never_assigned = true,
     .groups = BuiltinGroups::June2011,
     .cards = CardNetworks::Today,
     .card_text_width = 19 + 3},
}};

inline constexpr std::size_t kRuleSetCount = kRuleSetTable.size();

namespace rule_sets_detail {
// The row of `rules`; a set without one fails the build where its row is looked for.
consteval std::size_t RowFound(RuleSet rules) {
    for (std::size_t i = 0; i < kRuleSetCount; ++i) {
        if (kRuleSetTable[i].set == rules) return i;
    }
    throw "a rule set without its row in kRuleSetTable";
}
}  // namespace rule_sets_detail

// Where each set's row stands, by a switch without a default: a set added to RuleSet stops the build here, and
// then at its case until it has its row.
constexpr std::size_t RowIndexOf(RuleSet rules) {
    switch (rules) {
        case RuleSet::Classic:
            return rule_sets_detail::RowFound(RuleSet::Classic);
        case RuleSet::Current:
            return rule_sets_detail::RowFound(RuleSet::Current);
    }
    return 0;
}

// Tables indexed by RuleSet (the values of --rules among them) rely on the order.
constexpr bool EachRowAtItsSet() {
    for (std::size_t i = 0; i < kRuleSetCount; ++i) {
        if (static_cast<std::size_t>(kRuleSetTable[i].set) != i || kRuleSetTable[i].name.empty()) return false;
    }
    return true;
}
static_assert(EachRowAtItsSet(), "the rows stand in the order of RuleSet, each named");

constexpr const RuleSetRow& RowOf(RuleSet rules) { return kRuleSetTable[RowIndexOf(rules)]; }

// `call(set)` with the set `rules` as a constant (`decltype(set)::value`): code made for each set, chosen once.
template <std::size_t kIndex = 0, class Call>
constexpr decltype(auto) WithRuleSet(RuleSet rules, Call&& call) {
    constexpr RuleSet kSet = kRuleSetTable[kIndex].set;
    if constexpr (kIndex + 1 == kRuleSetCount) {
        return call(std::integral_constant<RuleSet, kSet>{});
    } else {
        if (rules == kSet) return call(std::integral_constant<RuleSet, kSet>{});
        return WithRuleSet<kIndex + 1>(rules, std::forward<Call>(call));
    }
}

// Every set, for the explicit instantiations of code made for each set, which only a macro can list:
// KALDEROS_EACH_RULE_SET(F) is F(RuleSet::Classic) F(RuleSet::Current).
#define KALDEROS_EACH_RULE_SET(F) F(RuleSet::Classic) F(RuleSet::Current)

namespace rule_sets_detail {
#define KALDEROS_RULE_SET_LISTED(set) set,
inline constexpr std::array kListed{KALDEROS_EACH_RULE_SET(KALDEROS_RULE_SET_LISTED)};
#undef KALDEROS_RULE_SET_LISTED
constexpr bool ListedAsTabled() {
    if (kListed.size() != kRuleSetCount) return false;
    for (std::size_t i = 0; i < kRuleSetCount; ++i) {
        if (kListed[i] != kRuleSetTable[i].set) return false;
    }
    return true;
}
static_assert(ListedAsTabled(), "KALDEROS_EACH_RULE_SET lists the rows' sets");
}  // namespace rule_sets_detail

}  // namespace kalderos
