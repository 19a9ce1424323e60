// Splits a text into area, group and serial. Lenient by design: the group and serial are found from fixed
// positions, so "123-45-6789" and "123456789" read alike, and nothing is ever refused. Every shape takes the same
// scans here; the judge (ssn_judgement.cpp) reads the usual shapes faster on its own.
#include <algorithm>

#include "kalderos/kalderos.h"
#include "bytes/char_class.h"

namespace kalderos {
namespace {

// The text ends at its size or at its first NUL byte. A NUL is neither white space, a sign nor a digit, so
// every scan below stops at it by itself, and the text is never measured beforehand.

using bytes::IsDigit;
using bytes::IsSpace;

// The area as "%3d" reads it: white space skipped, then a sign and digits, three characters at most. Returns
// the position where the conversion stopped.
std::size_t ReadArea(const char* text, std::size_t size, std::int32_t& area) {
    std::size_t pos = 0;
    while (pos < size && IsSpace(text[pos])) ++pos;
    std::size_t width = 0;
    bool negative = false;
    if (pos < size && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
        ++width;
    }
    std::int32_t value = 0;
    std::size_t digits = 0;
    for (; width < 3 && pos < size && IsDigit(text[pos]); ++pos, ++width, ++digits) {
        value = value * 10 + (text[pos] - '0');
    }
    if (digits > 0) area = negative ? -value : value;
    return pos;
}

// The position of the first digit at or after `pos`, or `size` when the text ends before one.
std::size_t FindDigit(const char* text, std::size_t pos, std::size_t size) {
    for (; pos < size; ++pos) {
        if (IsDigit(text[pos])) return pos;
        if (text[pos] == '\0') break;
    }
    return size;
}

// Reads up to `width` digits at `pos`, which holds a digit.
std::int32_t ReadDigits(const char* text, std::size_t pos, std::size_t size, std::size_t width) {
    const std::size_t end = std::min(size, pos + width);
    std::int32_t value = 0;
    for (; pos < end && IsDigit(text[pos]); ++pos) value = value * 10 + (text[pos] - '0');
    return value;
}

}  // namespace

void ParseSsn(std::string_view text, SsnNumber& number) {
    const char* data = text.data();
    const std::size_t size = text.size();

    // The group search starts at position 3, whatever the area took; a text that ends before it has neither
    // group nor serial.
    std::size_t pos = std::min<std::size_t>(ReadArea(data, size, number.area), 3);
    for (; pos < 3; ++pos) {
        if (pos == size || data[pos] == '\0') return;
    }

    pos = FindDigit(data, pos, size);
    if (pos == size) return;
    number.group = ReadDigits(data, pos, size, 2);

    // The serial search starts two places after the group's first digit, unless the text ends before that.
    if (pos + 1 == size || data[pos + 1] == '\0') return;
    pos = FindDigit(data, pos + 2, size);
    if (pos < size) number.serial = ReadDigits(data, pos, size, 4);
}

}  // namespace kalderos
