// The highest group issued per area that the program carries, used when no group file is named. Labelled
// kGroupDataDate (data_dates.h), it is no one published list: each group lies, in the order of issue, at or
// after that of the list of July 2007 and at or before that of June 2011.
#pragma once

#include <array>
#include <cstdint>

#include "ssn/rules.h"

namespace kalderos::ssn {

struct GroupRun {
    std::int16_t first;
    std::int16_t last;
    std::int8_t group;
};

// Consecutive areas that share one highest group. Areas 000, 666, 734-749 and 773-999 are absent on purpose:
// none of them has a group in the list of June 2011 either.
inline constexpr std::array<GroupRun, 109> kBuiltinGroupRuns{{
    {1, 3, 6},       {4, 7, 8},       {8, 8, 92},      {9, 9, 90},      {10, 12, 92},    {13, 34, 90},
    {35, 39, 72},    {40, 42, 13},    {43, 49, 11},    {50, 62, 98},    {63, 134, 96},   {135, 158, 19},
    {159, 195, 84},  {196, 211, 82},  {212, 219, 81},  {220, 220, 79},  {221, 222, 6},   {223, 231, 99},
    {232, 233, 55},  {234, 236, 53},  {237, 267, 99},  {268, 300, 13},  {301, 302, 11},  {303, 311, 33},
    {312, 317, 31},  {318, 324, 8},   {325, 361, 6},   {362, 376, 35},  {377, 386, 33},  {387, 399, 29},
    {400, 403, 69},  {404, 407, 67},  {408, 415, 99},  {416, 421, 63},  {422, 424, 61},  {425, 439, 99},
    {440, 442, 25},  {443, 448, 23},  {449, 467, 99},  {468, 477, 51},  {478, 480, 39},  {481, 485, 37},
    {486, 488, 27},  {489, 500, 25},  {501, 502, 33},  {503, 504, 41},  {505, 508, 53},  {509, 512, 29},
    {513, 515, 27},  {516, 517, 45},  {518, 518, 81},  {519, 519, 79},  {520, 520, 55},  {521, 530, 99},
    {531, 531, 65},  {532, 539, 63},  {540, 544, 75},  {545, 573, 99},  {574, 574, 53},  {575, 576, 99},
    {577, 578, 47},  {579, 579, 45},  {580, 580, 39},  {581, 585, 99},  {586, 586, 63},  {587, 587, 99},
    {588, 588, 3},   {589, 595, 99},  {596, 598, 86},  {599, 599, 84},  {600, 601, 99},  {602, 607, 71},
    {608, 626, 69},  {627, 641, 15},  {642, 645, 13},  {646, 646, 4},   {647, 647, 2},   {648, 648, 48},
    {649, 649, 46},  {650, 651, 50},  {652, 653, 48},  {654, 654, 30},  {655, 658, 28},  {659, 659, 18},
    {660, 665, 16},  {667, 671, 38},  {672, 675, 36},  {676, 677, 16},  {678, 679, 14},  {680, 680, 98},
    {681, 685, 16},  {686, 690, 14},  {691, 692, 10},  {693, 699, 9},   {700, 723, 18},  {724, 724, 28},
    {725, 726, 18},  {727, 727, 10},  {728, 730, 14},  {731, 733, 12},  {750, 751, 10},  {752, 753, 3},
    {754, 755, 1},   {756, 759, 7},   {760, 763, 5},   {764, 764, 92},  {765, 765, 90},  {766, 771, 72},
    {772, 772, 70},
}};

struct GroupEntry {
    std::int16_t area;
    std::int8_t group;
};

constexpr std::size_t CountGroupRunAreas() {
    std::size_t count = 0;
    for (const GroupRun& run : kBuiltinGroupRuns) {
        if (run.last < run.first) throw "a run must not end before it starts";
        count += static_cast<std::size_t>(run.last - run.first + 1);
    }
    return count;
}

inline constexpr std::size_t kBuiltinGroupCount = CountGroupRunAreas();

constexpr std::array<GroupEntry, kBuiltinGroupCount> ExpandGroupRuns() {
    std::array<GroupEntry, kBuiltinGroupCount> list{};
    std::size_t count = 0;
    for (const GroupRun& run : kBuiltinGroupRuns) {
        for (int area = run.first; area <= run.last; ++area) {
            list[count++] = {static_cast<std::int16_t>(area), run.group};
        }
    }
    return list;
}

inline constexpr std::array<GroupEntry, kBuiltinGroupCount> kBuiltinGroupList = ExpandGroupRuns();

namespace detail {
constexpr bool GroupListWellFormed() {
    int previous = 0;
    for (const GroupEntry& entry : kBuiltinGroupList) {
        // Strictly ascending also means no area twice.
        if (entry.area <= previous || !IsAssignedArea(entry.area) || entry.area == 666) return false;
        if (entry.area >= 734 && entry.area <= 749) return false;
        if (entry.group < 1 || entry.group > 99) return false;
        previous = entry.area;
    }
    return true;
}
}  // namespace detail
static_assert(detail::GroupListWellFormed(), "ascending areas 001-772 without 666 and 734-749, groups 01-99");

}  // namespace kalderos::ssn
