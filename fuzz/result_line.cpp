// FormatResultLine for any number, verdict and table entry: it fits its buffer and says, byte for byte, what
// the printf patterns of the three line forms say.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "fuzz_check.h"
#include "kalderos/kalderos.h"

namespace {

using kalderos::SsnNumber;
using kalderos::SsnVerdict;

// Most draws stay in the ranges a parse gives, where the forms differ; the rest may be any 32-bit value.
std::int32_t Field(FuzzedDataProvider& provider, std::int32_t low, std::int32_t high) {
    if (provider.ConsumeBool()) return provider.ConsumeIntegral<std::int32_t>();
    return provider.ConsumeIntegralInRange<std::int32_t>(low, high);
}

__attribute__((format(printf, 1, 2))) std::string Format(const char* pattern, ...) {
    char line[512];
    va_list values;
    va_start(values, pattern);
    const int length = std::vsnprintf(line, sizeof line, pattern, values);
    va_end(values);
    return {line, static_cast<std::size_t>(length)};
}

std::string Expected(const SsnNumber& number, SsnVerdict verdict, const kalderos::HighestGroupTable& table) {
    const auto [area, group, serial] = number;
    std::string line;
    if (verdict == SsnVerdict::Unknown) {
        line = Format("SSN: %03d-%02d-%04d   UNKNOWN-after 06/2011 VALID=MAYBE", area, group, serial);
    } else if (area > 0 && area != 666) {
        const std::string name(kalderos::AreaName(area));
        line = Format("SSN: %03d-%02d-%04d %s VALID=%s", area, group, serial, name.empty() ? "(null)" : name.c_str(),
                      verdict == SsnVerdict::Valid ? "YES" : "NO");
    } else {
        line = Format("SSN: %03d-%02d-%04d   ILLEGAL %03d           VALID=NO", area, group, serial, area);
    }
    const bool in_table = area >= 0 && area < kalderos::kAreaCount;
    if (in_table && group == table.group[static_cast<std::size_t>(area)] && serial != 0) {
        line += "  CONFIRM";
    }
    return line + "\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    SsnNumber number;
    number.area = Field(provider, -99, 999);
    number.group = Field(provider, 0, 99);
    number.serial = Field(provider, 0, 9999);
    const auto verdict = static_cast<SsnVerdict>(provider.ConsumeIntegralInRange<int>(0, 2));
    auto table = std::make_unique<kalderos::HighestGroupTable>();
    kalderos::FillFromBuiltinGroupList(*table);
    if (number.area >= 0 && number.area < kalderos::kAreaCount) {
        std::int32_t& entry = table->group[static_cast<std::size_t>(number.area)];
        if (provider.ConsumeBool()) entry = provider.ConsumeBool() ? number.group : provider.ConsumeIntegral<std::int32_t>();
    }

    // Exactly the promised room, so that one byte more meets AddressSanitizer's red zone.
    const auto out = std::make_unique<char[]>(kalderos::kMaxResultLineLength);
    const std::size_t length = kalderos::FormatResultLine(number, verdict, *table, out.get());
    FUZZ_REQUIRE(length <= kalderos::kMaxResultLineLength);
    FUZZ_REQUIRE(std::string(out.get(), length) == Expected(number, verdict, *table));
    return 0;
}
