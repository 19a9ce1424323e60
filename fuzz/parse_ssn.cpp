// ParseSsn on any bytes: each field lands in its range or keeps its value, and a list-file line reads like
// the same text typed at the console.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "kalderos/kalderos.h"

namespace {

using kalderos::SsnNumber;

// Values no parse can produce, so a field that still holds one was left alone.
constexpr SsnNumber kUntouched{-100000, -200000, -300000};
constexpr SsnNumber kOtherStart{7, 8, 9};

bool Same(const SsnNumber& a, const SsnNumber& b) {
    return a.area == b.area && a.group == b.group && a.serial == b.serial;
}

SsnNumber Parse(std::string_view text, SsnNumber start) {
    kalderos::ParseSsn(text, start);
    return start;
}

// A field either was written (the same value whatever the record held before) or kept its earlier value.
void CheckField(std::int32_t parsed, std::int32_t untouched, std::int32_t from_other, std::int32_t other_start,
                std::int32_t low, std::int32_t high) {
    if (parsed == untouched) {
        FUZZ_REQUIRE(from_other == other_start);
    } else {
        FUZZ_REQUIRE(low <= parsed && parsed <= high);
        FUZZ_REQUIRE(from_other == parsed);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const SsnNumber parsed = Parse(text, kUntouched);
    const SsnNumber from_other = Parse(text, kOtherStart);
    CheckField(parsed.area, kUntouched.area, from_other.area, kOtherStart.area, -99, 999);
    CheckField(parsed.group, kUntouched.group, from_other.group, kOtherStart.group, 0, 99);
    CheckField(parsed.serial, kUntouched.serial, from_other.serial, kOtherStart.serial, 0, 9999);

    // A list-file line still ends in its line feed.
    FUZZ_REQUIRE(Same(Parse(std::string(text) + '\n', kUntouched), parsed));
    // The text ends at its first NUL byte, as a C string would.
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) FUZZ_REQUIRE(Same(Parse(text.substr(0, nul), kUntouched), parsed));
    return 0;
}
