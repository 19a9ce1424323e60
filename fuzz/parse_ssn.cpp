// ParseSsn on any bytes: each field lands in its range or keeps its value, and a list-file line reads like
// the same text typed at the console. The one-pass checker of list lines writes the library's own lines.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "kalderos/kalderos.h"
#include "ssn/result_line.h"
#include "ssn/ssn_judgement.h"

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

const kalderos::HighestGroupTable& BuiltinTable() {
    static const kalderos::HighestGroupTable table = [] {
        kalderos::HighestGroupTable filled;
        kalderos::FillFromBuiltinGroupList(filled);
        return filled;
    }();
    return table;
}

// The input as list lines, each checked by the library's steps on a carried number and by the checker where it
// lies in a buffer, the next lines' bytes behind it.
void CheckLikeTheLibrary(std::string_view content) {
    const kalderos::HighestGroupTable& table = BuiltinTable();
    const kalderos::ssn::MadeSsnRules rules(table, kalderos::RuleSet::Classic);
    kalderos::ssn::SsnJudge judge(rules);
    SsnNumber number;
    std::string buffer;
    char expected[kalderos::kMaxResultLineLength];
    char got[kalderos::kMaxResultLineLength];
    while (!content.empty()) {
        const std::size_t end = std::min(content.find('\n'), content.size() - 1) + 1;
        const std::string_view text = content.substr(0, end);
        content.remove_prefix(end);
        kalderos::ParseSsn(text, number);
        const std::size_t expected_size =
            kalderos::FormatResultLine(number, kalderos::JudgeSsn(number, table), table, expected);
        buffer.assign(text);
        buffer.append(content.substr(0, kalderos::bytes::kReadAhead));
        buffer.append(kalderos::bytes::kReadAhead, '9');
        const std::size_t got_size = kalderos::ssn::PrintCarriedLineAs<kalderos::RuleSet::Classic>(
            judge, kalderos::bytes::Readable::WithRoomBehind(buffer.data(), text.size()), got);
        FUZZ_REQUIRE(std::string_view(got, got_size) == std::string_view(expected, expected_size));
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

    CheckLikeTheLibrary(text);
    return 0;
}
