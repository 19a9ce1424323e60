// Where a text the program reads ends: at its first NUL byte, and a list's line before its line feed.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "bytes/byte_vectors.h"

namespace kalderos {

// A text up to its first NUL byte, as every text the program reads ends there; a short text is searched
// without a call.
inline bytes::Readable UpToNul(bytes::Readable text) {
    if (text.size() <= bytes::kReadAhead) {
        // The first NUL, or the text's end where it has none before.
        const std::uint64_t ends = bytes::NulsAmongThirtyTwo(text.data()) | std::uint64_t{1} << text.size();
        return text.First(static_cast<std::size_t>(std::countr_zero(ends)));
    }
    if (const void* nul = std::memchr(text.data(), '\0', text.size())) {
        return text.First(static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
    }
    return text;
}

// A line of a list without its line feed. The line readers have already dropped the carriage return of a CR
// LF line end.
inline std::string_view WithoutLineFeed(std::string_view text) {
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    return text;
}
inline bytes::Readable WithoutLineFeed(bytes::Readable text) {
    if (!text.empty() && text.back() == '\n') return text.First(text.size() - 1);
    return text;
}

}  // namespace kalderos
