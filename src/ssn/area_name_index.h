// Derives the printable place of issue of every area from the area table, joining the names of areas that
// stand in more than one row. Built at compile time, so a malformed table fails the build.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "kalderos/kalderos.h"
#include "ssn/area_state_table.h"
#include "bytes/char_class.h"

namespace kalderos::ssn {

struct AreaNameText {
    std::array<char, 64> text{};
    std::uint8_t length = 0;
    bool present = false;

    [[nodiscard]] constexpr std::string_view View() const { return {text.data(), length}; }
};

struct AreaNameIndex {
    std::array<AreaNameText, kAreaCount> area{};
};

namespace detail {

using bytes::IsDigit;
using bytes::IsSpace;

// Reads a number the way "%3d" does: white space skipped, then sign and digits, at most three characters.
constexpr bool ScanNumber(std::string_view text, std::size_t& pos, int& value) {
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    std::size_t width = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
        ++width;
    }
    int number = 0;
    std::size_t digits = 0;
    while (width < 3 && pos < text.size() && IsDigit(text[pos])) {
        number = number * 10 + (text[pos] - '0');
        ++pos;
        ++width;
        ++digits;
    }
    if (digits == 0) return false;
    value = negative ? -number : number;
    return true;
}

struct RangeScan {
    int items = 0;
    int first = 0;
    char separator = 0;
    int second = 0;
};

// The range text read by the pattern "%3d%c%3d": a one-area text such as "232    " gives two items, its
// separator being the first blank.
constexpr RangeScan ScanRange(std::string_view range) {
    RangeScan scan;
    std::size_t pos = 0;
    if (!ScanNumber(range, pos, scan.first)) return scan;
    scan.items = 1;
    if (pos >= range.size()) return scan;
    scan.separator = range[pos++];
    scan.items = 2;
    if (ScanNumber(range, pos, scan.second)) scan.items = 3;
    return scan;
}

// Cuts trailing white space, but never the first character.
constexpr void TrimTrailingSpace(AreaNameText& entry) {
    while (entry.length > 1 && IsSpace(entry.text[entry.length - 1u])) --entry.length;
}

constexpr void Append(AreaNameText& entry, std::string_view part) {
    for (const char c : part) entry.text[entry.length++] = c;  // out of room fails the build
}

constexpr void AddNameToArea(AreaNameIndex& index, std::string_view name, int area) {
    AreaNameText& entry = index.area[static_cast<std::size_t>(area)];
    if (entry.present) {
        TrimTrailingSpace(entry);
        Append(entry, ", ");
    }
    entry.present = true;
    Append(entry, name);
}

constexpr void AddNameToRange(AreaNameIndex& index, std::string_view name, int first, int last) {
    for (int area = first; area <= last; ++area) AddNameToArea(index, name, area);
}

constexpr void AddNameToPair(AreaNameIndex& index, std::string_view name, int first, int second) {
    AddNameToArea(index, name, first);
    AddNameToArea(index, name, second);
}

}  // namespace detail

constexpr AreaNameIndex BuildAreaNameIndex() {
    AreaNameIndex index;
    for (const AreaStateRow& row : kAreaStateTable) {
        if (row.range.empty()) break;
        if (row.name.size() > 47) throw "a row's name text holds at most 47 characters";
        const detail::RangeScan scan = detail::ScanRange(row.range);
        if (scan.items == 3 && scan.separator == '-') {
            detail::AddNameToRange(index, row.name, scan.first, scan.second);
        } else if (scan.items == 3 && scan.separator == ',') {
            detail::AddNameToPair(index, row.name, scan.first, scan.second);
        } else {
            detail::AddNameToArea(index, row.name, scan.first);
        }
    }
    return index;
}

inline constexpr AreaNameIndex kAreaNameIndex = BuildAreaNameIndex();

static_assert(kAreaNameIndex.area[1].View() == "  New Hampshire        ");
static_assert(kAreaNameIndex.area[232].length == 41 && kAreaNameIndex.area[580].length == 41);
static_assert(kAreaNameIndex.area[586].View() == "  American Samoa,   Guam,   Philippine Islands   ");
static_assert(!kAreaNameIndex.area[0].present && !kAreaNameIndex.area[666].present &&
              !kAreaNameIndex.area[740].present && !kAreaNameIndex.area[773].present);

}  // namespace kalderos::ssn
