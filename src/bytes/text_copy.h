// Copying a text into a caller's buffer, the step every printer is made of.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace kalderos::bytes {

// Copies `text` to `out`, which has room for it; returns the end of the copy. At compile time too, where the
// record formats make their fields of few values.
constexpr char* Put(char* out, std::string_view text) {
    if (std::is_constant_evaluated()) {
        for (const char c : text) *out++ = c;
        return out;
    }
    if (!text.empty()) std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// Copies the `kSize` bytes at `from` to `out` as 16-byte moves: a fixed-size std::memcpy above 64 bytes becomes a
// call to the C library's (some 20 instructions a record field more, callgrind).
template <std::size_t kSize>
inline void PutFixed(char* out, const char* from) {
    static_assert(kSize % 16 == 0, "whole moves");
    for (std::size_t at = 0; at < kSize; at += 16) std::memcpy(out + at, from + at, 16);
}

}  // namespace kalderos::bytes
