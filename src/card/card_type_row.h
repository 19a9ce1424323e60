// What a card type is: a row of text as a person writes it in a table of card networks, and the readings of its
// prefix and length columns that everything else is derived from. A malformed row fails the build where its
// table is checked.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace kalderos::card {

enum class CheckDigit : std::uint8_t { None, Luhn };

struct CardTypeRow {
    std::string_view name;
    std::string_view prefixes;  // leading digits, comma-separated; "a-b" each prefix from a to b, of one length
    std::string_view lengths;   // digit counts, comma-separated, or a range "16-19"
    CheckDigit check;
};

// A number longer than every type of the table: taken on its first digits, or too long.
enum class LongerNumbers : std::uint8_t { CutToLongest, TooManyDigits };

// The rows in the order their kind texts are numbered; the last one, without prefixes, takes every number no
// prefix claims.
struct CardTypeTable {
    std::span<const CardTypeRow> rows;
    LongerNumbers longer;
};

inline constexpr std::size_t kMaxPrefixDigits = 8;
inline constexpr std::size_t kShortestLength = 12;
inline constexpr std::size_t kLongestLength = 19;

// A kind text holds a type name, "_X" after it and a NUL.
inline constexpr std::size_t kKindTextSize = 16;

// A range of prefixes of one number of digits: "2221-2720" is {2221, 2720, 4}.
struct PrefixRange {
    std::uint32_t first;
    std::uint32_t last;
    std::size_t digits;
};

namespace detail {

constexpr std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// A run of 1 to 8 digits, or -1.
constexpr std::int64_t DigitsValue(std::string_view text) {
    if (text.empty() || text.size() > kMaxPrefixDigits) return -1;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The item "a" or "a-b" of a list, both ends of one length; false when it is neither.
constexpr bool ReadItem(std::string_view item, PrefixRange& range) {
    item = Trimmed(item);
    const std::size_t dash = item.find('-');
    const std::string_view first = Trimmed(item.substr(0, dash));
    const std::string_view last = dash == std::string_view::npos ? first : Trimmed(item.substr(dash + 1));
    const std::int64_t from = DigitsValue(first);
    const std::int64_t to = DigitsValue(last);
    if (from < 0 || to < from || first.size() != last.size()) return false;
    range = {static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(to), first.size()};
    return true;
}

}  // namespace detail

// Calls `take` with each item of a comma-separated list; false when an item is malformed.
template <class Take>
constexpr bool ForEachItem(std::string_view list, Take take) {
    if (detail::Trimmed(list).empty()) return true;
    for (;;) {
        const std::size_t comma = list.find(',');
        PrefixRange range{};
        if (!detail::ReadItem(list.substr(0, comma), range)) return false;
        take(range);
        if (comma == std::string_view::npos) return true;
        list = list.substr(comma + 1);
    }
}

// The row's lengths as a set, bit n for n digits; 0 when the column is malformed or names a length outside 12-19.
constexpr std::uint32_t LengthSet(const CardTypeRow& row) {
    std::uint32_t set = 0;
    bool in_bounds = true;
    const bool read = ForEachItem(row.lengths, [&](const PrefixRange& range) {
        in_bounds = in_bounds && range.first >= kShortestLength && range.last <= kLongestLength;
        for (std::uint32_t length = range.first; in_bounds && length <= range.last; ++length) set |= 1u << length;
    });
    return read && in_bounds ? set : 0;
}

// The digits a number of the type must have, given the `digits` it has: the first of the type's lengths that
// the count does not exceed, else the longest (so a 14-digit VISA number of 13 or 16 digits needs 16, a
// 15-digit DINERS one of 14 needs 14); 0 for a type without lengths.
constexpr std::size_t RequiredDigits(const CardTypeRow& row, std::size_t digits) {
    const std::uint32_t set = LengthSet(row);
    std::size_t required = 0;
    for (std::size_t length = 0; length < 32; ++length) {
        if (((set >> length) & 1u) == 0) continue;
        required = length;
        if (digits <= length) break;
    }
    return required;
}

// The shortest and the longest number any row of the table has.
constexpr std::size_t ShortestLength(const CardTypeTable& table) {
    std::size_t shortest = 32;
    for (const CardTypeRow& row : table.rows) {
        const std::uint32_t set = LengthSet(row);
        if (set != 0) shortest = std::min(shortest, static_cast<std::size_t>(std::countr_zero(set)));
    }
    return shortest;
}

constexpr std::size_t LongestLength(const CardTypeTable& table) {
    std::size_t longest = 0;
    for (const CardTypeRow& row : table.rows) longest = std::max(longest, RequiredDigits(row, 32));
    return longest;
}

// How many digits the scan takes at most: the longest number, or one more where a longer one is too long.
constexpr std::size_t DigitsScanned(const CardTypeTable& table) {
    return LongestLength(table) + (table.longer == LongerNumbers::TooManyDigits ? 1 : 0);
}

// How many characters the scan looks at: the digits and four more, so that a scan stopped there without all its
// digits has met four dashes, more than a number may have.
constexpr std::size_t ScanLimit(const CardTypeTable& table) { return DigitsScanned(table) + 4; }

// The most leading digits that any prefix of the table has.
constexpr std::size_t PrefixDigits(const CardTypeTable& table) {
    std::size_t most = 1;
    for (const CardTypeRow& row : table.rows) {
        (void)ForEachItem(row.prefixes, [&](const PrefixRange& range) { most = std::max(most, range.digits); });
    }
    return most;
}

// The row whose prefix is the longest beginning of `digits` (at least PrefixDigits of them); the last row when
// no prefix is.
constexpr std::size_t RowOfLeadingDigits(const CardTypeTable& table, std::string_view digits) {
    std::size_t found = table.rows.size() - 1;
    std::size_t found_digits = 0;
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        (void)ForEachItem(table.rows[row].prefixes, [&](const PrefixRange& range) {
            if (range.digits <= found_digits || range.digits > digits.size()) return;
            const std::int64_t leading = detail::DigitsValue(digits.substr(0, range.digits));
            if (leading < range.first || leading > range.last) return;
            found = row;
            found_digits = range.digits;
        });
    }
    return found;
}

// The row of the type named `name`, or one past the last row when there is none.
constexpr std::size_t RowNamed(const CardTypeTable& table, std::string_view name) {
    std::size_t row = 0;
    while (row < table.rows.size() && table.rows[row].name != name) ++row;
    return row;
}

namespace detail {

constexpr bool RangesMeet(const PrefixRange& a, const PrefixRange& b) {
    return a.digits == b.digits && a.first <= b.last && b.first <= a.last;
}

}  // namespace detail

// Every row readable, named, with lengths and prefixes except the last, which has neither and no check digit;
// no two prefixes of one length claim the same number, so that the longest prefix always decides alone.
constexpr bool TableWellFormed(const CardTypeTable& table) {
    if (table.rows.empty()) return false;
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        const CardTypeRow& of = table.rows[row];
        const bool last = row + 1 == table.rows.size();
        if (of.name.empty() || of.name.size() + 3 > kKindTextSize) return false;
        std::size_t prefixes = 0;
        bool overlap = false;
        const bool read = ForEachItem(of.prefixes, [&](const PrefixRange& range) {
            ++prefixes;
            for (std::size_t other = row; other < table.rows.size(); ++other) {
                std::size_t seen = 0;
                (void)ForEachItem(table.rows[other].prefixes, [&](const PrefixRange& against) {
                    // Within its own row a range is compared only with those after it.
                    if (other == row && seen++ < prefixes) return;
                    overlap = overlap || detail::RangesMeet(range, against);
                });
            }
        });
        if (!read || overlap) return false;
        if (last != (prefixes == 0) || last != (LengthSet(of) == 0) || (last && of.check != CheckDigit::None)) {
            return false;
        }
        if (!last && LengthSet(of) == 0) return false;
    }
    return true;
}

}  // namespace kalderos::card
