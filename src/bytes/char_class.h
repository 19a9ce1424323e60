// The fixed character classes every reader of texts shares: never the locale's, and bytes above 127 are neither.
#pragma once

namespace kalderos::bytes {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Blank, tab, line feed, vertical tab, form feed, carriage return.
constexpr bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// ASCII letters only: "a" to "z" and "A" to "Z".
constexpr bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace kalderos::bytes
