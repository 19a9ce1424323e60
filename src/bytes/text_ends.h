// Where a text the program reads ends: at its first NUL byte, and a list's line before its line feed.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "bytes/byte_vectors.h"

namespace kalderos {

// A text up to its first NUL byte, as every text the program reads ends there; kReadAhead bytes may be read from
// its start, so that a short text is searched without a call.
inline std::string_view UpToNul(std::string_view text) {
    if (text.size() <= bytes::kReadAhead) {
        std::uint32_t nuls = bytes::NulsAmongThirtyTwo(text.data());
        if (text.size() < bytes::kReadAhead) nuls &= (std::uint32_t{1} << text.size()) - 1;
        return nuls == 0 ? text : text.substr(0, static_cast<std::size_t>(std::countr_zero(nuls)));
    }
    if (const void* nul = std::memchr(text.data(), '\0', text.size())) {
        return text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
    }
    return text;
}

// A line of a list without its line feed. The line readers have already dropped the carriage return of a CR
// LF line end.
inline std::string_view WithoutLineFeed(std::string_view text) {
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    return text;
}

}  // namespace kalderos
