// The text format's printer: a number's result line written into a caller's buffer without the printf family,
// byte for byte as the patterns "%03d", "%02d", "%04d" and "%s" would give it.
#include "ssn/result_line.h"

#include <array>
#include <cstring>

#include "bytes/text_copy.h"
#include "kalderos/kalderos.h"
#include "rules/rule_sets.h"
#include "ssn/area_name_index.h"
#include "ssn/result_tails.h"
#include "ssn/rules.h"

namespace kalderos {
namespace {

using bytes::Put;

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

// The longest beginning of a line, a number of three full-width negative fields, plus a tail.
static_assert(5 + 3 * 11 + 2 + ssn::kTailRoom <= kMaxResultLineLength);

// The tail of a line whose area lies outside 000-999, which only a caller of the library can bring.
char* PutRareTail(char* out, std::int32_t area, SsnVerdict verdict) {
    if (verdict == SsnVerdict::Unknown) return Put(out, ssn::TailOf(0, verdict).View());
    if (area > 0) return Put(out, ssn::detail::NamedTail("(null)", verdict == SsnVerdict::Valid).View());
    // A negative area (a text starting with a minus sign) is shown as never issued rather than claiming a
    // place of issue.
    out = Put(out, "   ILLEGAL ");
    out = PutPadded(out, area, 3);
    return Put(out, "           VALID=NO");
}

}  // namespace

std::string_view AreaName(std::int32_t area) {
    if (area < 0 || area >= kAreaCount) return {};
    const ssn::AreaNameText& entry = ssn::kAreaNameIndex.area[static_cast<std::size_t>(area)];
    return entry.present ? entry.View() : std::string_view{};
}

namespace ssn {
namespace {

const ResultTail& TailUnder(RuleSet rules, std::size_t area, SsnVerdict verdict, bool issued_at_random) {
    return WithRuleSet(rules, [&](auto set) -> const ResultTail& {
        return TailOf<decltype(set)::value>(area, verdict, issued_at_random);
    });
}

std::size_t PrintLine(const SsnNumber& number, SsnVerdict verdict, bool marks_confirm, char* out, RuleSet rules,
                      bool issued_at_random) {
    char* const start = out;
    out = PutNumber(out, number);
    const std::int32_t area = number.area;
    if (static_cast<std::uint32_t>(area) < kAreaCount) {
        const ResultTail& tail = TailUnder(rules, static_cast<std::size_t>(area), verdict, issued_at_random);
        std::memcpy(out, tail.text.data(), tail.text.size());
        out += tail.length;
    } else {
        out = PutRareTail(out, area, verdict);
    }
    if (marks_confirm) out = Put(out, "  CONFIRM");
    *out++ = '\n';
    return static_cast<std::size_t>(out - start);
}

}  // namespace

std::size_t PrintAnyResultLine(const SsnJudgement& judgement, RuleSet rules, char* out) {
    return PrintLine(judgement.number, judgement.verdict, judgement.marks_confirm, out, rules,
                     judgement.issued_at_random);
}

template <RuleSet kSet>
std::size_t PrintAnyCarriedLine(SsnJudge& judge, std::string_view text, char* out) {
    return PrintAnyResultLine(judge.JudgeAnyShape<kSet>(text), kSet, out);
}

#define KALDEROS_MADE_FOR(kSet) \
    template std::size_t PrintAnyCarriedLine<kSet>(SsnJudge&, std::string_view, char*);
KALDEROS_EACH_RULE_SET(KALDEROS_MADE_FOR)
#undef KALDEROS_MADE_FOR

}  // namespace ssn

std::size_t FormatResultLine(const SsnNumber& number, SsnVerdict verdict, const HighestGroupTable& table,
                             char* out) {
    return ssn::PrintLine(number, verdict, ssn::MarksConfirm(number, table), out, RuleSet::Classic, false);
}

}  // namespace kalderos
