// One published highest-group list: the month it was taken and the highest group it gives each area.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "kalderos/kalderos.h"

namespace kalderos::ssn {

struct PublishedList {
    std::string_view month;                         // "YYYY-MM"
    std::array<std::uint8_t, kAreaCount> highest;  // 0 where the list names no group for the area
};

}  // namespace kalderos::ssn
