// The fixed character classes every reader of texts shares: never the locale's, and bytes above 127 are neither.
#pragma once

#include <string_view>

namespace kalderos::bytes {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Blank, tab, line feed, vertical tab, form feed, carriage return.
constexpr bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// `text` without the white space around it.
constexpr std::string_view TrimSpace(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

// ASCII letters only: "a" to "z" and "A" to "Z".
constexpr bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace kalderos::bytes
