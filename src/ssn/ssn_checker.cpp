// The usual shapes, "123-45-6789" and "123456789" at the start of a text, are recognised from a mask of where
// the first sixteen bytes hold digits and dashes; their fields are read where they stand and judged by lookup,
// and their line copies the fields from the text and the tail from a table. The result is byte for byte the
// library's.
#include "ssn/ssn_checker.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "bytes/byte_vectors.h"
#include "ssn/known_invalid_list.h"
#include "ssn/result_tails.h"
#include "ssn/rules.h"

namespace kalderos::ssn {
namespace {

constexpr unsigned kPlainDigits = 0x1FFu;    // "123456789": nine digits
constexpr unsigned kDashedDigits = 0x7B7u;   // "123-45-6789": digits but at 3 and 6
constexpr unsigned kDashedDashes = 0x048u;   // and dashes there
static_assert(kDashedDigits == 0b111'1011'0111u && kDashedDashes == (1u << 3 | 1u << 6));

std::int32_t Digit(char c) { return c - '0'; }

// The verdict by [unknown area][valid], looked up: random lists make a branch on either unpredictable.
constexpr SsnVerdict kVerdicts[2][2] = {
    {SsnVerdict::Invalid, SsnVerdict::Valid},
    {SsnVerdict::Unknown, SsnVerdict::Unknown},
};

}  // namespace

SsnChecker::SsnChecker(const HighestGroupTable& table) : table_(table) {
    for (std::size_t group = 0; group < group_order_.size(); ++group) {
        group_order_[group] = IssueOrder(static_cast<std::int32_t>(group));
    }
    for (std::size_t area = 0; area < highest_order_.size(); ++area) {
        highest_order_[area] = IssueOrder(table.group[area]);
    }
}

SsnJudgement SsnChecker::JudgeAnyShape(std::string_view text) {
    ParseSsn(text, number_);
    const std::int32_t area = number_.area;
    const bool confirm = static_cast<std::uint32_t>(area) < kAreaCount &&
                         number_.group == table_.group[static_cast<std::size_t>(area)] && number_.serial != 0;
    return {number_, JudgeSsn(number_, table_), confirm, 0, 0};
}

SsnJudgement SsnChecker::JudgeReadable(const char* text, std::size_t size) {
    const text::Bytes16 bytes = text::LoadSixteen(text);
    const unsigned in_text = 0xFFFFu >> (16 - std::min<std::size_t>(size, 16));
    const unsigned digits = text::FlagMask(text::DigitBytes(bytes)) & in_text;
    const unsigned dashes = text::FlagMask(text::BytesEqualTo(bytes, '-')) & in_text;
    const bool plain = (digits & kPlainDigits) == kPlainDigits;
    const bool dashed = ((digits & kDashedDigits) == kDashedDigits) & ((dashes & kDashedDashes) == kDashedDashes);
    if (!(plain | dashed)) return JudgeAnyShape({text, size});

    // The shapes differ only by the two dashes, which move the group and the serial.
    const std::size_t group_at = 4 - static_cast<std::size_t>(plain);
    const std::size_t serial_at = 7 - 2 * static_cast<std::size_t>(plain);
    const std::int32_t area = Digit(text[0]) * 100 + Digit(text[1]) * 10 + Digit(text[2]);
    const std::int32_t group = Digit(text[group_at]) * 10 + Digit(text[group_at + 1]);
    const std::int32_t serial = Digit(text[serial_at]) * 1000 + Digit(text[serial_at + 1]) * 100 +
                                Digit(text[serial_at + 2]) * 10 + Digit(text[serial_at + 3]);
    number_ = {area, group, serial};

    // JudgeSsn's rules for fields that fit their widths, without a branch on the random parts.
    const auto area_index = static_cast<std::size_t>(area);
    const bool unknown = IsUnknownArea(area);
    // Named first: clang takes a call among the operands of a bitwise & for a mistaken &&.
    const bool assigned = IsAssignedArea(area);
    bool valid = assigned & (group != 0) & (serial != 0) &
                 (group_order_[static_cast<std::size_t>(group)] <= highest_order_[area_index]);
    if (kKnownInvalidIndex[area_index] != 0) valid = valid && !IsKnownInvalid(area, group, serial);
    const bool confirm = (group == table_.group[area_index]) & (serial != 0);
    return {number_, kVerdicts[unknown][valid], confirm, static_cast<std::uint8_t>(group_at),
            static_cast<std::uint8_t>(serial_at)};
}

std::size_t SsnChecker::FormatLine(const SsnJudgement& judgement, const char* text, char* out) const {
    if (judgement.group_at == 0) return FormatResultLine(judgement.number, judgement.verdict, table_, out);

    // "SSN: 123-45-6789" with the fields copied from where they stand, eight bytes at a time, each copy over the
    // surplus of the one before and the tail over the last one's.
    std::memcpy(out, "SSN: ", 5);
    std::memcpy(out + 5, text, 8);
    std::memcpy(out + 9, text + judgement.group_at, 8);
    std::memcpy(out + 12, text + judgement.serial_at, 8);
    out[8] = '-';
    out[11] = '-';

    const ResultTail& tail = TailOf(static_cast<std::size_t>(judgement.number.area), judgement.verdict);
    std::memcpy(out + 16, tail.text.data(), kTailRoom);
    char* const end = out + 16 + tail.length;
    const auto confirm = static_cast<std::size_t>(judgement.confirm);
    std::memcpy(end, "  CONFIRM\n", 10);
    end[9 * confirm] = '\n';
    return 16 + tail.length + 1 + 9 * confirm;
}

std::size_t SsnChecker::CheckReadable(const char* text, std::size_t size, char* out) {
    return FormatLine(JudgeReadable(text, size), text, out);
}

std::size_t SsnChecker::Check(std::string_view text, char* out) {
    if (text.size() >= kSsnReadAhead) return CheckReadable(text.data(), text.size(), out);
    // A short text is copied where the bytes after it may be read.
    std::array<char, kSsnReadAhead> padded{};
    if (!text.empty()) std::memcpy(padded.data(), text.data(), text.size());
    return CheckReadable(padded.data(), text.size(), out);
}

}  // namespace kalderos::ssn
