// Copying a text into a caller's buffer, the step every printer is made of.
#pragma once

#include <cstring>
#include <string_view>

namespace kalderos::bytes {

// Copies `text` to `out`, which has room for it; returns the end of the copy.
inline char* Put(char* out, std::string_view text) {
    if (!text.empty()) std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

}  // namespace kalderos::bytes
