// The text format's printer of a judgement: the result line, byte for byte FormatResultLine's.
#pragma once

#include <cstddef>
#include <cstring>

#include "ssn/result_tails.h"
#include "ssn/ssn_judgement.h"

namespace kalderos::ssn {

// The line of a number that is not copied from its text, under `rules`; PrintResultLine's out-of-line part.
std::size_t PrintAnyResultLine(const SsnJudgement& judgement, RuleSet rules, char* out);

// Writes the result line of `judgement` (a lenient reading: SsnJudge::WithCarriedAs), whose number is copied from
// its text (`digits` not null), into `out`, which must hold kMaxResultLineLength bytes; returns the bytes
// written. The fields are copied from where they stand in the judged text, eight bytes at a time, each copy over
// the surplus of the one before and the tail over the last one's. Under the current rules an area that names no
// place says it was never assigned.
template <RuleSet kSet>
inline std::size_t PrintShapeLine(const SsnJudgement& judgement, char* out) {
    const char* const text = judgement.digits;
    std::memcpy(out, "SSN: ", 5);
    std::memcpy(out + 5, text, 8);
    std::memcpy(out + 9, text + judgement.shape.group_at, 8);
    std::memcpy(out + 12, text + judgement.shape.serial_at, 8);
    out[8] = '-';
    out[11] = '-';

    const ResultTail& tail =
        TailOf<kSet>(static_cast<std::size_t>(judgement.number.area), judgement.verdict, judgement.issued_at_random);
    std::memcpy(out + 16, tail.text.data(), kTailRoom);
    char* const end = out + 16 + tail.length;
    const auto confirm = static_cast<std::size_t>(judgement.marks_confirm);
    std::memcpy(end, "  CONFIRM\n", 10);
    end[9 * confirm] = '\n';
    return 16 + tail.length + 1 + 9 * confirm;
}

// The same for any judgement.
template <RuleSet kSet>
inline std::size_t PrintResultLine(const SsnJudgement& judgement, char* out) {
    if (judgement.digits == nullptr) return PrintAnyResultLine(judgement, kSet, out);
    return PrintShapeLine<kSet>(judgement, out);
}

// The line of a text without a usual shape at its start, judged leniently: PrintCarriedLineAs's out-of-line part.
// Made for every rule set in result_line.cpp.
template <RuleSet kSet>
std::size_t PrintAnyCarriedLine(SsnJudge& judge, std::string_view text, char* out);

// Judges a text leniently, as SsnJudge::WithCarriedAs does, and writes its result line into `out` (room as
// PrintResultLine's); returns the bytes written. A list's loop prints each text through it: the usual shapes'
// judgement goes to the printer in registers, and the other texts' path stays out of the loop.
template <RuleSet kSet>
std::size_t PrintCarriedLineAs(SsnJudge& judge, bytes::Readable text, char* out) {
    const UsualShape shape = UsualShapeAt(text);
    if (!shape.Found()) [[unlikely]] return PrintAnyCarriedLine<kSet>(judge, text, out);
    return PrintShapeLine<kSet>(judge.CarryShapeAs<kSet>(text.data(), shape), out);
}

}  // namespace kalderos::ssn
