// Writes a number's result line into a caller's buffer without the printf family, byte for byte as the
// patterns "%03d", "%02d", "%04d" and "%s" would give it.
#include <cstring>

#include "kalderos/kalderos.h"
#include "ssn/area_name_index.h"

namespace kalderos {
namespace {

char* Put(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// "%0<width>d": the sign first, then the digits padded with zeros to `width` characters in all.
char* PutPadded(char* out, std::int32_t value, int width) {
    std::uint32_t magnitude = static_cast<std::uint32_t>(value);
    if (value < 0) {
        *out++ = '-';
        magnitude = 0u - magnitude;
        --width;
    }
    char digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10u);
        magnitude /= 10u;
    } while (magnitude != 0);
    for (int i = count; i < width; ++i) *out++ = '0';
    while (count > 0) *out++ = digits[--count];
    return out;
}

char* PutNumber(char* out, const SsnNumber& number) {
    out = Put(out, "SSN: ");
    out = PutPadded(out, number.area, 3);
    *out++ = '-';
    out = PutPadded(out, number.group, 2);
    *out++ = '-';
    return PutPadded(out, number.serial, 4);
}

}  // namespace

std::string_view AreaName(std::int32_t area) {
    if (area < 0 || area >= kAreaCount) return {};
    const ssn::AreaNameText& entry = ssn::kAreaNameIndex.area[static_cast<std::size_t>(area)];
    return entry.present ? entry.View() : std::string_view{};
}

std::size_t FormatResultLine(const SsnNumber& number, SsnVerdict verdict, const HighestGroupTable& table,
                             char* out) {
    char* const start = out;
    out = PutNumber(out, number);
    const std::int32_t area = number.area;
    const bool in_table = area >= 0 && area < kAreaCount;
    if (verdict == SsnVerdict::Unknown) {
        out = Put(out, "   UNKNOWN-after 06/2011 VALID=MAYBE");
    } else if (area != 0 && area != 666 && area > 0) {
        // Areas never assigned have no name; "(null)" is what the line has always shown in its place.
        const std::string_view name = AreaName(area);
        *out++ = ' ';
        out = Put(out, name.empty() ? std::string_view("(null)") : name);
        out = Put(out, verdict == SsnVerdict::Valid ? std::string_view(" VALID=YES") : std::string_view(" VALID=NO"));
    } else {
        // Areas 000 and 666 were never issued; a negative area (a text starting with a minus sign) is shown
        // the same way rather than claiming a place of issue.
        out = Put(out, "   ILLEGAL ");
        out = PutPadded(out, area, 3);
        out = Put(out, "           VALID=NO");
    }
    if (in_table && number.group == table.group[static_cast<std::size_t>(area)] && number.serial != 0) {
        out = Put(out, "  CONFIRM");
    }
    *out++ = '\n';
    return static_cast<std::size_t>(out - start);
}

}  // namespace kalderos
