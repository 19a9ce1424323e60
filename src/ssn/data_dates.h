// When the data the program carries was taken, as the banner, the help screen and the console prompt show it.
#pragma once

#include <string_view>

namespace kalderos::ssn {

// The last update of the area table and of the rules the numbers are judged by.
inline constexpr std::string_view kAreaDataDate = "4/2011";

// The label of the built-in highest groups (builtin_group_list.h), which lie between the published lists of
// July 2007 and June 2011.
inline constexpr std::string_view kGroupDataDate = "7/2007";

}  // namespace kalderos::ssn
