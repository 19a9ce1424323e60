// Building the version stamp.
#include "console/version_stamp.h"

#include <algorithm>
#include <array>

namespace kalderos {
namespace {

constexpr std::array<std::string_view, 12> kMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::size_t kMaxSuffix = 33;  // a longer suffix is cut: with the 14 characters before it, 47 at most

char At(std::string_view text, std::size_t pos) { return pos < text.size() ? text[pos] : '\0'; }

}  // namespace

std::string MakeVersionStamp(std::string_view date, std::string_view time, std::string_view suffix) {
    std::string stamp;
    for (std::size_t pos = 9; pos <= 10 && At(date, pos) != '\0'; ++pos) stamp += date[pos];
    stamp += '.';
    for (std::size_t month = 0; month < kMonths.size(); ++month) {
        if (date.substr(0, 3) == kMonths[month]) {
            stamp += static_cast<char>('0' + (month + 1) / 10);
            stamp += static_cast<char>('0' + (month + 1) % 10);
            break;
        }
    }
    stamp += '.';
    // __DATE__ pads a day below 10 with a blank.
    stamp += At(date, 4) == ' ' ? '0' : At(date, 4);
    if (At(date, 5) != '\0') stamp += date[5];
    stamp += '.';
    stamp.append(time.substr(0, 5));
    std::replace(stamp.begin(), stamp.end(), ':', '.');
    stamp.append(suffix.substr(0, kMaxSuffix));
    return stamp;
}

}  // namespace kalderos
