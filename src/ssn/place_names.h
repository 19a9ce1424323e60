// Every area's place of issue as a record shows it: the name as a person writes it, without the result line's
// padding, the names of a joined area separated by ", " ("Virgin Islands, Puerto Rico"); empty where the area
// was never assigned. Built at compile time, each padded to one size so that a record copies it in one move.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "kalderos/kalderos.h"
#include "ssn/area_name_index.h"

namespace kalderos::ssn {

struct PlaceName {
    std::array<char, 64> text{};
    std::size_t size = 0;
    [[nodiscard]] constexpr std::string_view View() const { return {text.data(), size}; }
};

namespace detail {

// The words of a name text, one blank between them and none before a comma.
constexpr PlaceName CleanPlace(std::string_view name) {
    PlaceName place;
    bool blank_pending = false;
    for (const char c : name) {
        if (c == ' ') {
            blank_pending = place.size > 0;
            continue;
        }
        if (blank_pending) place.text[place.size++] = ' ';  // out of room fails the build
        blank_pending = false;
        place.text[place.size++] = c;
    }
    return place;
}

}  // namespace detail

inline constexpr std::array<PlaceName, kAreaCount> kPlaceNames = [] {
    std::array<PlaceName, kAreaCount> places{};
    for (std::size_t area = 0; area < places.size(); ++area) {
        if (kAreaNameIndex.area[area].present) places[area] = detail::CleanPlace(kAreaNameIndex.area[area].View());
    }
    return places;
}();
static_assert(kPlaceNames[1].View() == "New Hampshire" && kPlaceNames[0].View().empty() &&
              kPlaceNames[586].View() == "American Samoa, Guam, Philippine Islands");

// The place of `area`, empty for one never assigned and for any area outside 000-999.
constexpr std::string_view PlaceOf(std::int32_t area) {
    if (area < 0 || area >= kAreaCount) return {};
    return kPlaceNames[static_cast<std::size_t>(area)].View();
}

}  // namespace kalderos::ssn
