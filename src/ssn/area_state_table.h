// The areas of issue as ranges of area numbers with the state, territory or office each range was assigned to.
#pragma once

#include <array>
#include <string_view>

namespace kalderos::ssn {

struct AreaStateRow {
    std::string_view range;  // "001-003" (a range), "525,585" (a pair) or "232    " (one area)
    std::string_view name;   // 23 characters: a two-character lead ("* " when never assigned), name, blanks
};

// Order matters: where one area stands in several rows, its names are joined in this order. The last row,
// with an empty range, ends the table.
inline constexpr std::array<AreaStateRow, 81> kAreaStateTable{{
    {"001-003", "  New Hampshire        "},
    {"004-007", "  Maine                "},
    {"008-009", "  Vermont              "},
    {"010-034", "  Massachusetts        "},
    {"035-039", "  Rhode Island         "},
    {"040-049", "  Connecticut          "},
    {"050-134", "  New York             "},
    {"135-158", "  New Jersey           "},
    {"159-211", "  Pennsylvania         "},
    {"212-220", "  Maryland             "},
    {"221-222", "  Delaware             "},
    {"223-231", "  Virginia             "},
    {"232    ", "  North Carolina       "},
    {"232-236", "  West Virginia        "},
    {"237-246", "  North Carolina       "},
    {"247-251", "  South Carolina       "},
    {"252-260", "  Georgia              "},
    {"261-267", "  Florida              "},
    {"268-302", "  Ohio                 "},
    {"303-317", "  Indiana              "},
    {"318-361", "  Illinois             "},
    {"362-386", "  Michigan             "},
    {"387-399", "  Wisconsin            "},
    {"400-407", "  Kentucky             "},
    {"408-415", "  Tennessee            "},
    {"416-424", "  Alabama              "},
    {"425-428", "  Mississippi          "},
    {"429-432", "  Arkansas             "},
    {"433-439", "  Louisiana            "},
    {"440-448", "  Oklahoma             "},
    {"449-467", "  Texas                "},
    {"468-477", "  Minnesota            "},
    {"478-485", "  Iowa                 "},
    {"486-500", "  Missouri             "},
    {"501-502", "  North Dakota         "},
    {"503-504", "  South Dakota         "},
    {"505-508", "  Nebraska             "},
    {"509-515", "  Kansas               "},
    {"516-517", "  Montana              "},
    {"518-519", "  Idaho                "},
    {"520    ", "  Wyoming              "},
    {"521-524", "  Colorado             "},
    {"525,585", "  New Mexico           "},
    {"526-527", "  Arizona              "},
    {"528-529", "  Utah                 "},
    {"530    ", "  Nevada               "},
    {"531-539", "  Washington           "},
    {"540-544", "  Oregon               "},
    {"545-573", "  California           "},
    {"574    ", "  Alaska               "},
    {"575-576", "  Hawaii               "},
    {"577-579", "  District of Columbia "},
    {"580    ", "  Virgin Islands       "},
    {"580-584", "  Puerto Rico          "},
    {"586    ", "  American Samoa       "},
    {"586    ", "  Guam                 "},
    {"586    ", "  Philippine Islands   "},
    {"587-588", "  Mississippi          "},
    {"589-595", "  Florida              "},
    {"596-599", "  Puerto Rico          "},
    {"600-601", "  Arizona              "},
    {"602-626", "  California           "},
    {"627-645", "  Texas                "},
    {"646-647", "  Utah                 "},
    {"648-649", "  New Mexico           "},
    {"650-653", "  Colorado             "},
    {"654-658", "  South Carolina       "},
    {"659-665", "  Louisiana            "},
    {"667-675", "  Georgia              "},
    {"676-679", "  Arkansas             "},
    {"680    ", "  Nevada               "},
    {"681-690", "  North Carolina       "},
    {"691-699", "* Not Assigned         "},
    {"700-728", "  Railroad Board**     "},
    {"729-733", "  Enumeration at Entry "},
    {"750-751", "* Not Assigned         "},
    {"752-755", "* Not Assigned         "},
    {"756-763", "* Not Assigned         "},
    {"764-765", "  Arizona              "},
    {"766-772", "  Florida              "},
    {"", ""},
}};

namespace detail {
constexpr bool AreaRowsWellFormed() {
    for (std::size_t i = 0; i + 1 < kAreaStateTable.size(); ++i) {
        if (kAreaStateTable[i].range.size() != 7 || kAreaStateTable[i].name.size() != 23) return false;
    }
    return kAreaStateTable.back().range.empty();
}
}  // namespace detail
static_assert(detail::AreaRowsWellFormed(), "80 rows of a 7-character range and a 23-character name, then the end row");

}  // namespace kalderos::ssn
