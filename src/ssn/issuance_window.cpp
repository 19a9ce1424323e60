// The published lists as the build read them, checked at compile time: their months, a few highest groups,
// the areas each leaves out, and a window of each kind.
#include "ssn/issuance_window.h"

namespace kalderos::ssn {

// Made on first use rather than at compile time: 100,000 windows are past what compilers evaluate in a constant.
const PackedWindows& PackedWindowTable() {
    static const PackedWindows windows = [] {
        PackedWindows made{};
        for (std::int32_t area = 0; area < kAreaCount; ++area) {
            for (std::int32_t group = 0; group < 100; ++group) {
                made[static_cast<std::size_t>(area * 100 + group)] = Pack(WindowFor(area, group));
            }
        }
        return made;
    }();
    return windows;
}

namespace {

constexpr std::size_t CountNamedAreas(const PublishedList& list) {
    std::size_t count = 0;
    for (const std::uint8_t group : list.highest) count += group != 0 ? 1 : 0;
    return count;
}

constexpr const PublishedList& kNovember2003 = kPublishedLists[0];
constexpr const PublishedList& kJuly2007 = kPublishedLists[1];
constexpr const PublishedList& kJune2011 = kPublishedLists[2];

static_assert(kPublishedListCount == 3 && kNovember2003.month == "2003-11" && kJuly2007.month == "2007-07" &&
              kJune2011.month == "2011-06");
static_assert(CountNamedAreas(kNovember2003) == 729 && CountNamedAreas(kJuly2007) == 753 &&
              CountNamedAreas(kJune2011) == 755);
static_assert(kNovember2003.highest[1] == 98 && kNovember2003.highest[772] == 22 &&
              kNovember2003.highest[588] == 0 && kNovember2003.highest[732] == 0 &&
              kNovember2003.highest[764] == 36);
static_assert(kJuly2007.highest[1] == 6 && kJuly2007.highest[7] == 6 && kJuly2007.highest[772] == 60 &&
              kJuly2007.highest[754] == 0 && kJuly2007.highest[751] == 7);
static_assert(kJune2011.highest[1] == 11 && kJune2011.highest[50] == 2 && kJune2011.highest[772] == 2 &&
              kJune2011.highest[733] == 26 && kJune2011.highest[734] == 0 && kJune2011.highest[666] == 0 &&
              kJune2011.highest[0] == 0 && kJune2011.highest[773] == 0);

// Area 001's highest groups were 98, 06 and 11: every kind of window lies in it.
static_assert(WindowFor(1, 1) == IssuanceWindow{0, 1});   // issued by November 2003
static_assert(WindowFor(1, 98) == IssuanceWindow{0, 2});  // open in 2003, issued by July 2007
static_assert(WindowFor(1, 8) == IssuanceWindow{2, 3});   // after July 2007, by June 2011
static_assert(WindowFor(1, 11) == IssuanceWindow{2, 0});  // open in June 2011
static_assert(WindowFor(1, 13) == IssuanceWindow{3, 0});  // not issued before randomization
static_assert(WindowFor(800, 1) == IssuanceWindow{3, 0} && WindowFor(734, 99) == IssuanceWindow{3, 0});
static_assert(WindowFor(1, 0) == IssuanceWindow{} && WindowFor(-1, 1) == IssuanceWindow{} &&
              WindowFor(1000, 1) == IssuanceWindow{});
static_assert(WindowMonth(0).empty() && WindowMonth(3) == "2011-06" && WindowMonth(4).empty());

}  // namespace
}  // namespace kalderos::ssn
