// Writes a number's result line into a caller's buffer without the printf family, byte for byte as the
// patterns "%03d", "%02d", "%04d" and "%s" would give it.
#include <array>
#include <cstring>

#include "kalderos/kalderos.h"
#include "ssn/area_name_index.h"

namespace kalderos {
namespace {

char* Put(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// "00" to "99", so that a field is written two digits at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

char* PutPair(char* out, std::uint32_t value) {
    std::memcpy(out, &kDigitPairs[2 * value], 2);
    return out + 2;
}

// "%0<width>d" for any value: the sign first, then the digits padded with zeros to `width` characters in all.
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

// The number of the rare lines: a negative area, or fields out of range that only a caller of the library can
// bring.
char* PutAnyNumber(char* out, const SsnNumber& number) {
    out = Put(out, "SSN: ");
    out = PutPadded(out, number.area, 3);
    *out++ = '-';
    out = PutPadded(out, number.group, 2);
    *out++ = '-';
    return PutPadded(out, number.serial, 4);
}

// "SSN: %03d-%02d-%04d". Fields that fit their widths, as parsed fields always do, make a fixed 16 characters,
// written two digits at a time.
char* PutNumber(char* out, const SsnNumber& number) {
    const auto area = static_cast<std::uint32_t>(number.area);
    const auto group = static_cast<std::uint32_t>(number.group);
    const auto serial = static_cast<std::uint32_t>(number.serial);
    if (area >= 1000 || group >= 100 || serial >= 10000) return PutAnyNumber(out, number);
    std::memcpy(out, "SSN: ", 5);
    out[5] = static_cast<char>('0' + area / 100);
    PutPair(out + 6, area % 100);
    out[8] = '-';
    PutPair(out + 9, group);
    out[11] = '-';
    PutPair(out + 12, serial / 100);
    PutPair(out + 14, serial % 100);
    return out + 16;
}

// What the named form writes after the number: " ", the area's name text ("(null)" for an area without one),
// " VALID=" and the answer. The areas share a few dozen distinct name texts, so the parts are kept once each,
// small enough to stay in cache, and the answer is found by lookup rather than by a branch that random input
// mispredicts half of the time.
constexpr std::size_t kNamedPartRoom = 64;

struct NamedPart {
    std::array<char, kNamedPartRoom> text{};
    std::size_t length = 0;

    constexpr bool operator==(const NamedPart&) const = default;
};

struct NamedParts {
    std::array<std::array<NamedPart, 2>, 64> distinct{};  // [name][valid]
    std::array<std::uint8_t, kAreaCount> of_area{};
};

constexpr NamedPart MakeNamedPart(std::string_view name, std::string_view answer) {
    NamedPart part;
    for (const std::string_view piece : {std::string_view(" "), name, std::string_view(" VALID="), answer}) {
        for (const char c : piece) part.text[part.length++] = c;  // out of room fails the build
    }
    return part;
}

constexpr std::array<NamedPart, 2> MakeNamedParts(std::string_view name) {
    return {MakeNamedPart(name, "NO"), MakeNamedPart(name, "YES")};
}

constexpr NamedParts BuildNamedParts() {
    NamedParts parts;
    std::size_t count = 0;
    std::string_view previous;
    for (std::size_t area = 0; area < kAreaCount; ++area) {
        const ssn::AreaNameText& entry = ssn::kAreaNameIndex.area[area];
        const std::string_view name = entry.present ? entry.View() : std::string_view("(null)");
        // Areas of one range share their name: looking back one area first keeps the compile-time work small
        // enough for every compiler's evaluation limits.
        if (area > 0 && name == previous) {
            parts.of_area[area] = parts.of_area[area - 1];
            continue;
        }
        previous = name;
        const std::array<NamedPart, 2> part = MakeNamedParts(name);
        std::size_t id = 0;
        while (id < count && !(parts.distinct[id] == part)) ++id;
        if (id == count) parts.distinct[count++] = part;  // more than the room fails the build
        parts.of_area[area] = static_cast<std::uint8_t>(id);
    }
    return parts;
}

constexpr NamedParts kNamedParts = BuildNamedParts();
constexpr std::array<NamedPart, 2> kNullNamedParts = MakeNamedParts("(null)");

// Copies the whole block, which is cheaper than a copy of the exact length; only `length` bytes count.
char* PutNamedPart(char* out, std::int32_t area, SsnVerdict verdict) {
    const std::array<NamedPart, 2>& parts =
        area < kAreaCount ? kNamedParts.distinct[kNamedParts.of_area[static_cast<std::size_t>(area)]] : kNullNamedParts;
    const NamedPart& part = parts[verdict == SsnVerdict::Valid ? 1 : 0];
    std::memcpy(out, part.text.data(), kNamedPartRoom);
    return out + part.length;
}

// The longest beginning of a line, a number of three full-width negative fields, plus a named part block.
static_assert(5 + 3 * 11 + 2 + kNamedPartRoom <= kMaxResultLineLength);

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
    if (verdict == SsnVerdict::Unknown) {
        out = Put(out, "   UNKNOWN-after 06/2011 VALID=MAYBE");
    } else if (area > 0 && area != 666) {
        // Areas never assigned have no name; "(null)" is what the line has always shown in its place.
        out = PutNamedPart(out, area, verdict);
    } else {
        // Areas 000 and 666 were never issued; a negative area (a text starting with a minus sign) is shown
        // the same way rather than claiming a place of issue.
        out = Put(out, "   ILLEGAL ");
        out = PutPadded(out, area, 3);
        out = Put(out, "           VALID=NO");
    }
    if (static_cast<std::uint32_t>(area) < kAreaCount && number.group == table.group[static_cast<std::size_t>(area)] &&
        number.serial != 0) {
        out = Put(out, "  CONFIRM");
    }
    *out++ = '\n';
    return static_cast<std::size_t>(out - start);
}

}  // namespace kalderos
