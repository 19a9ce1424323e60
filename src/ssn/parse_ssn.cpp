// Splits a text into area, group and serial. Lenient by design: the group and serial are found from fixed
// positions, so "123-45-6789" and "123456789" read alike, and nothing is ever refused.
#include <cstring>

#include "kalderos/kalderos.h"

namespace kalderos {
namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The area as "%3d" reads it: white space skipped, then a sign and digits, three characters at most.
void ReadArea(const char* text, std::size_t end, std::int32_t& area) {
    std::size_t pos = 0;
    while (pos < end && IsSpace(text[pos])) ++pos;
    std::size_t width = 0;
    bool negative = false;
    if (pos < end && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
        ++width;
    }
    std::int32_t value = 0;
    std::size_t digits = 0;
    for (; width < 3 && pos < end && IsDigit(text[pos]); ++pos, ++width, ++digits) value = value * 10 + (text[pos] - '0');
    if (digits > 0) area = negative ? -value : value;
}

std::size_t SkipNonDigits(const char* text, std::size_t pos, std::size_t end) {
    while (pos < end && !IsDigit(text[pos])) ++pos;
    return pos;
}

// Reads up to `width` digits at `pos`, which holds a digit.
std::int32_t ReadDigits(const char* text, std::size_t pos, std::size_t end, std::size_t width) {
    std::int32_t value = 0;
    for (std::size_t i = 0; i < width && pos + i < end && IsDigit(text[pos + i]); ++i) value = value * 10 + (text[pos + i] - '0');
    return value;
}

}  // namespace

void ParseSsn(std::string_view text, SsnNumber& number) {
    const char* data = text.data();
    const void* nul = text.empty() ? nullptr : std::memchr(data, '\0', text.size());
    const std::size_t end = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - data) : text.size();

    ReadArea(data, end, number.area);

    // The searches start from fixed places, whatever the area consumed.
    const std::size_t group_at = SkipNonDigits(data, end < 3 ? end : 3, end);
    if (group_at < end) number.group = ReadDigits(data, group_at, end, 2);

    const std::size_t serial_from = end - group_at < 2 ? end : group_at + 2;
    const std::size_t serial_at = SkipNonDigits(data, serial_from, end);
    if (serial_at < end) number.serial = ReadDigits(data, serial_at, end, 4);
}

}  // namespace kalderos
