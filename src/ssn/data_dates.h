// When the data the program carries was taken, as the banner, the help screen and the console prompt show it.
#pragma once

#include <string_view>

namespace kalderos::ssn {

// The last update of the area table and of the rules the numbers are judged by.
inline constexpr std::string_view kAreaDataDate = "4/2011";

// The issuance list the built-in highest groups come from (builtin_group_list.h).
inline constexpr std::string_view kGroupDataDate = "7/2007";

}  // namespace kalderos::ssn
